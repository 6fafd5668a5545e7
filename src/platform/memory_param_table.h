#pragma once

#include <array>
#include <vector>

#include "platform/param_table.h"

namespace trel {

// The parameter table without a window: what the command line and the tests load and store.
class MemoryParamTable : public ParamTable {
 public:
  int rowCount() const override { return static_cast<int>(rows_.size()); }
  void removeAllRows() override { rows_.clear(); }
  int appendRow() override;
  std::u16string cellText(int row, int column) const override;
  void setCellText(int row, int column, std::u16string_view text) override;
  bool isChecked(int row) const override;
  void setChecked(int row, bool checked) override;

 private:
  struct Row {
    std::array<std::u16string, kColumnCount> cells;
    bool checked = false;
  };
  bool holds(int row, int column) const;

  std::vector<Row> rows_;
};

}  // namespace trel
