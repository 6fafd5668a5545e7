#include "widgets/edit_list_dialog.h"

#include <QPushButton>
#include <vector>

#include "tables/list_text.h"
#include "widgets/combo_list_ctrl.h"
#include "widgets/dialog_units.h"

namespace trel {
namespace {

constexpr int kListId = 1009;
constexpr int kNumberColumn = 0;
constexpr int kItemColumn = 1;
constexpr int kUnusedComboColumn = 2;

QPushButton* MakeButton(QWidget* parent, const QString& caption, const DialogBaseUnits& units,
                        int x, int y, int cx, int cy) {
  auto* button = new QPushButton(caption, parent);
  button->setGeometry(DialogUnitsToPixels(units, x, y, cx, cy));
  return button;
}

}  // namespace

CEditList::CEditList(const QString& text, const QString& separator, MessageBoxes& boxes,
                     QWidget* parent, int resultLimit)
    : QDialog(parent), separator_(separator), boxes_(boxes), resultLimit_(resultLimit) {
  buildControls();
  const std::vector<std::u16string> items =
      SplitListText(text.toStdU16String(), separator_.toStdU16String());
  for (std::size_t i = 0; i < items.size(); ++i) {
    appendItem(static_cast<int>(i) + 1, QString::fromStdU16String(items[i]));
  }
}

void CEditList::buildControls() {
  setWindowTitle(QStringLiteral("Edit List"));
  const DialogBaseUnits units = BaseUnitsOf(font());
  setFixedSize(DialogUnitsToPixels(units, 0, 0, 249, 170).size());

  list_ = new CComboListCtrl(kListId, this);
  list_->setGeometry(DialogUnitsToPixels(units, 7, 7, 224, 135));
  list_->addColumn(QStringLiteral("Number"), 2, 10);
  list_->addColumn(QStringLiteral("Parameter"), 7, 10);
  list_->AddReadOnlyColumn(kNumberColumn);
  list_->AddComboColumn(kUnusedComboColumn);
  connect(list_, &CComboListCtrl::inputRefused, this, &CEditList::inputRefused);

  addButton_ = MakeButton(this, QStringLiteral("Add"), units, 7, 149, 36, 14);
  delButton_ = MakeButton(this, QStringLiteral("Del"), units, 52, 149, 40, 14);
  okButton_ = MakeButton(this, QStringLiteral("OK"), units, 117, 149, 50, 14);
  cancelButton_ = MakeButton(this, QStringLiteral("Cancel"), units, 179, 149, 50, 14);
  okButton_->setDefault(true);
  connect(addButton_, &QPushButton::clicked, this, &CEditList::onAdd);
  connect(delButton_, &QPushButton::clicked, this, &CEditList::onDel);
  connect(okButton_, &QPushButton::clicked, this, &CEditList::onOk);
  connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
}

void CEditList::appendItem(int number, const QString& item) {
  const int row = list_->appendRow();
  list_->setItemText(row, kNumberColumn, QString::number(number));
  list_->setItemText(row, kItemColumn, item);
}

void CEditList::onAdd() {
  const int rows = list_->rowCount();
  if (rows >= kMaxRows) {
    addButton_->setEnabled(false);  // for the rest of the dialog's life
    return;
  }
  appendItem(rows + 1, QString());
  list_->scrollToBottom();
}

void CEditList::onDel() {
  const int row = list_->currentRow();
  if (row >= 0 && row < list_->rowCount()) {
    list_->removeRow(row);
  }
}

void CEditList::onOk() {
  if (separator_.isEmpty()) {
    accept();
    return;
  }
  std::vector<std::u16string> items;
  for (int row = 0; row < list_->rowCount(); ++row) {
    items.push_back(list_->cellText(row, kItemColumn));
  }
  const std::u16string joined = JoinListText(items, separator_.toStdU16String());
  if (joined.size() > static_cast<std::size_t>(resultLimit_)) {
    boxes_.show("The list is too long.", "Edit List");
    return;
  }
  result_ = QString::fromStdU16String(joined);
  accept();
}

}  // namespace trel
