#include "qt/qt_operator_dialogs.h"

#include <QFileDialog>
#include <QMessageBox>

#include "qt/qt_edit_list_dialog.h"
#include "qt/qt_text.h"

namespace trel {

void QtOperatorDialogs::showMessage(std::u16string_view text, std::u16string_view caption) {
  QMessageBox box(QMessageBox::NoIcon, ToQString(caption), ToQString(text), QMessageBox::Ok,
                  owner_);
  box.exec();
}

std::optional<std::u16string> QtOperatorDialogs::chooseFile(const FileDialogRequest& request) {
  QFileDialog dialog(owner_, QString(), ToQString(request.startFolder));
  dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::AnyFile);  // a name that does not exist yet may be typed
  dialog.setNameFilters(ToQStringList(request.filters));
  dialog.setDefaultSuffix(ToQString(request.defaultSuffix));
  dialog.setOption(QFileDialog::ReadOnly, false);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    return std::nullopt;
  }
  return ToU16(dialog.selectedFiles().front());
}

bool QtOperatorDialogs::runEditList(CEditList& list) {
  QtEditListDialog dialog(list, owner_);
  return dialog.exec() == QDialog::Accepted;
}

bool QtOperatorDialogs::askYesNo(std::u16string_view text, std::u16string_view caption) {
  return QMessageBox::question(owner_, ToQString(caption), ToQString(text),
                               QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::No) == QMessageBox::Yes;
}

Answer QtOperatorDialogs::askYesNoCancel(std::u16string_view text, std::u16string_view caption) {
  switch (QMessageBox::question(owner_, ToQString(caption), ToQString(text),
                                QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                QMessageBox::Cancel)) {
    case QMessageBox::Yes:
      return Answer::kYes;
    case QMessageBox::No:
      return Answer::kNo;
    default:
      return Answer::kCancel;
  }
}

}  // namespace trel
