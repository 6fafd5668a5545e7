#include "app/combo_list_ctrl.h"

#include <algorithm>

namespace trel {
namespace {

void AppendUnique(std::vector<int>& columns, int column) {
  if (std::find(columns.begin(), columns.end(), column) == columns.end()) {
    columns.push_back(column);
  }
}

bool Contains(const std::vector<int>& columns, int column) {
  return std::find(columns.begin(), columns.end(), column) != columns.end();
}

}  // namespace

CComboListCtrl::CComboListCtrl(int controlId, ListView& view) : controlId_(controlId), view_(view) {
  view_.setEvents(this);
}

CComboListCtrl::~CComboListCtrl() {
  // An edit still open reports nothing into a list that is going.
  view_.setEvents(nullptr);
}

void CComboListCtrl::AddComboColumn(int column) {
  AppendUnique(comboColumns_, column);
}

void CComboListCtrl::AddReadOnlyColumn(int column) {
  AppendUnique(readOnlyColumns_, column);
}

bool CComboListCtrl::isComboColumn(int column) const {
  return Contains(comboColumns_, column);
}

bool CComboListCtrl::isReadOnlyColumn(int column) const {
  return Contains(readOnlyColumns_, column);
}

void CComboListCtrl::setAllowedChars(int column, std::u16string characters) {
  if (column >= 0 && column < kMaxColumns) {
    allowedChars_[static_cast<std::size_t>(column)] = std::move(characters);
  }
}

void CComboListCtrl::setReadOnly(bool readOnly) {
  if (readOnly) {
    view_.endOpenEdit();
  }
  readOnly_ = readOnly;
}

void CComboListCtrl::forgetCurrentRow() {
  view_.clearSelection();
  currentRow_ = -1;
}

void CComboListCtrl::removeRow(int row) {
  if (holds(row, 0)) {
    view_.removeRow(row);
  }
}

// The rows that come next are another list: no row of it is current until one is shown selected.
void CComboListCtrl::removeAllRows() {
  view_.removeAllRows();
  currentRow_ = -1;
}

bool CComboListCtrl::holds(int row, int column) const {
  return row >= 0 && row < view_.rowCount() && column >= 0 && column < view_.columnCount();
}

std::u16string CComboListCtrl::cellText(int row, int column) const {
  return holds(row, column) ? view_.cellText(row, column) : std::u16string();
}

void CComboListCtrl::setCellText(int row, int column, std::u16string_view text) {
  if (holds(row, column)) {
    view_.setCellText(row, column, text);
  }
}

// A click only selects with Shift or Control held, or on a row that did not take the focus.
void CComboListCtrl::onCellClicked(int row, int column, bool modified, bool rowFocused) {
  if (modified || !rowFocused || readOnly_ || !holds(row, column)) {
    return;
  }
  if (isComboColumn(column)) {
    openComboAt(row, column);
  } else if (!isReadOnlyColumn(column)) {
    editStartText_ = view_.cellText(row, column);
    view_.openEditBox(row, column, editStartText_,
                      column < kMaxColumns ? allowedChars_[static_cast<std::size_t>(column)]
                                           : std::u16string_view(),
                      textLimit_);
  }
}

void CComboListCtrl::openComboAt(int row, int column) {
  if (view_.columnWidth(column) < kNarrowestComboColumn) {
    return;
  }
  std::vector<std::u16string> choices;
  if (owner_ != nullptr) {
    owner_->onGetChoices(column, choices);
  }
  editStartText_ = view_.cellText(row, column);
  view_.openDropDown(row, column, choices, editStartText_);
}

// A cancelled edit still writes the cell (with its own text) and still tells the owner.
void CComboListCtrl::onEditEnded(int row, int column, std::u16string_view text, bool cancelled) {
  const CellEdit edit{row, column, std::u16string(cancelled ? editStartText_ : text)};
  setCellText(row, column, edit.text);
  if (owner_ != nullptr) {
    owner_->onListEdited(controlId_, &edit);
  }
}

std::optional<RefusedInput> CComboListCtrl::onEditorInput(int row, int column,
                                                          std::u16string_view before,
                                                          std::u16string_view after) {
  std::optional<RefusedInput> refused =
      RefuseCommandInput(before, after, hexOnly_ && hexOnly_(row, column));
  if (refused && owner_ != nullptr) {
    owner_->onInputRefused(refused->note);
  }
  return refused;
}

void CComboListCtrl::onCheckToggled(int) {
  if (notifyCheckToggle_ && owner_ != nullptr) {
    owner_->onListEdited(controlId_, nullptr);
  }
}

void CComboListCtrl::onSelectedRowPainted(int row) {
  if (row != currentRow_ && owner_ != nullptr) {
    owner_->onRowSelected(controlId_, row);
  }
  currentRow_ = row;
}

}  // namespace trel
