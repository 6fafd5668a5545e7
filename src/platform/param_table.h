#pragma once

#include <string>
#include <string_view>

namespace trel {

// The shape of the parameter table: rows of five texts ("ID", "CommandName", "DataMode",
// "CommandStr", "Split symbol") and a check box. The desktop tool's list control implements it, a
// plain in-memory table serves the command line and the tests; the parameter list's load and store
// are written once, against this interface.
class ParamTable {
 public:
  static constexpr int kColumnCount = 5;
  static constexpr int kIdColumn = 0;
  static constexpr int kNameColumn = 1;
  static constexpr int kDataModeColumn = 2;
  static constexpr int kCommandColumn = 3;
  static constexpr int kSplitSymbolColumn = 4;

  virtual ~ParamTable() = default;
  virtual int rowCount() const = 0;
  virtual void removeAllRows() = 0;
  // Appends an empty, unchecked row, selected and focused; returns its index.
  virtual int appendRow() = 0;
  virtual std::u16string cellText(int row, int column) const = 0;
  virtual void setCellText(int row, int column, std::u16string_view text) = 0;
  virtual bool isChecked(int row) const = 0;
  virtual void setChecked(int row, bool checked) = 0;
  // Brackets a bulk fill, so a widget can stop repainting meanwhile.
  virtual void beginBulkUpdate() {}
  virtual void endBulkUpdate() {}
};

}  // namespace trel
