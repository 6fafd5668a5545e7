#include "platform/memory_param_table.h"

namespace trel {

int MemoryParamTable::appendRow() {
  rows_.emplace_back();
  return rowCount() - 1;
}

bool MemoryParamTable::holds(int row, int column) const {
  return row >= 0 && row < rowCount() && column >= 0 && column < kColumnCount;
}

std::u16string MemoryParamTable::cellText(int row, int column) const {
  return holds(row, column) ? rows_[row].cells[column] : std::u16string();
}

void MemoryParamTable::setCellText(int row, int column, std::u16string_view text) {
  if (holds(row, column)) {
    rows_[row].cells[column] = text;
  }
}

bool MemoryParamTable::isChecked(int row) const {
  return holds(row, 0) && rows_[row].checked;
}

void MemoryParamTable::setChecked(int row, bool checked) {
  if (holds(row, 0)) {
    rows_[row].checked = checked;
  }
}

}  // namespace trel
