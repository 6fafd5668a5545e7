#include "qt/qt_edit_list_dialog.h"

#include <QPushButton>

#include "app/edit_list_template.h"
#include "qt/qt_dialog_units.h"
#include "qt/qt_list_view.h"

namespace trel {

QtEditListDialog::QtEditListDialog(CEditList& list, QWidget* parent)
    : QDialog(parent), list_(list) {
  setWindowTitle(QStringLiteral("Edit List"));
  const DialogBaseUnits units = BaseUnitsOfFont(font());
  setFixedSize(
      DialogUnitsToQRect(units, 0, 0, kEditListTemplate.widthDu, kEditListTemplate.heightDu)
          .size());
  for (const ControlTemplate& design : kEditListTemplate.controls) {
    const QRect place = DialogUnitsToQRect(units, design.x, design.y, design.cx, design.cy);
    if (design.kind == ControlKind::kTable) {
      view_ = new QtListView(this);
      view_->setGeometry(place);
      continue;
    }
    auto* made = new QPushButton(QString::fromUtf8(design.text), this);
    made->setGeometry(place);
    connect(made, &QPushButton::clicked, this, [this, id = design.id] { list_.onCommand(id); });
    buttons_[design.id] = made;
  }
  button(kEditListTemplate.defaultButton)->setDefault(true);
  list_.attach(*this);
}

QtEditListDialog::~QtEditListDialog() {
  list_.detach();
}

QPushButton* QtEditListDialog::button(int id) const {
  return buttons_.at(id);
}

ListView& QtEditListDialog::listView() {
  return *view_;
}

void QtEditListDialog::setAddEnabled(bool enabled) {
  addButton()->setEnabled(enabled);
}

void QtEditListDialog::endDialog(bool accepted) {
  if (accepted) {
    accept();
  } else {
    reject();
  }
}

}  // namespace trel
