#include "app/operator_dialogs.h"

#include <QFileDialog>
#include <QMessageBox>

#include "widgets/edit_list_dialog.h"

namespace trel {

std::optional<QString> QtOperatorDialogs::chooseFile(const FileDialogRequest& request) {
  QFileDialog dialog(owner_, QString(), request.startFolder);
  dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::AnyFile);  // a name that does not exist yet may be typed
  dialog.setNameFilters(request.filters);
  dialog.setDefaultSuffix(request.defaultSuffix);
  dialog.setOption(QFileDialog::ReadOnly, false);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    return std::nullopt;
  }
  return dialog.selectedFiles().front();
}

bool QtOperatorDialogs::runEditList(CEditList& dialog) {
  return dialog.exec() == QDialog::Accepted;
}

bool QtOperatorDialogs::askYesNo(const QString& text, const QString& caption) {
  return QMessageBox::question(owner_, caption, text, QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::No) == QMessageBox::Yes;
}

Answer QtOperatorDialogs::askYesNoCancel(const QString& text, const QString& caption) {
  switch (QMessageBox::question(owner_, caption, text,
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
