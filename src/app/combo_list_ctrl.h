#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "app/list_owner.h"
#include "app/list_view.h"
#include "platform/param_table.h"
#include "platform/private_profile.h"

namespace trel {

// The rules of a list in report view whose cells are edited in place, drawn by the renderer's list
// control: a single click on a cell of an editable column opens an editor over exactly that cell;
// when it closes, the text (the start text when cancelled) goes into the cell and the owner is
// told. The owner learns which row is current as the selected row is painted, and of check-box
// toggles while it asks for them. The cell texts and check boxes are the data: owners read them
// back from the list.
class CComboListCtrl : public ParamTable, private ListViewEvents {
 public:
  static constexpr int kMaxColumns = 100;
  // A cell's text becomes one profile value, so no more can be typed than a profile read gives
  // back.
  static constexpr int kDefaultTextLimit = static_cast<int>(kProfileValueLimit);
  // A combo column narrower than this is not edited.
  static constexpr int kNarrowestComboColumn = 10;

  CComboListCtrl(int controlId, ListView& view);
  ~CComboListCtrl() override;
  CComboListCtrl(const CComboListCtrl&) = delete;
  CComboListCtrl& operator=(const CComboListCtrl&) = delete;

  ListView& view() const { return view_; }
  int controlId() const { return controlId_; }
  void setOwner(ListOwner* owner) { owner_ = owner; }

  // Owner set-up: a check box in each row's first cell, columns whose width is the given fraction
  // of the list's width now, and how each column is edited.
  void setCheckBoxes(bool enabled) { view_.setCheckBoxes(enabled); }
  void addColumn(std::u16string_view heading, int numerator, int denominator) {
    view_.addColumn(heading, numerator, denominator);
  }
  void AddComboColumn(int column);
  void AddReadOnlyColumn(int column);
  void setAllowedChars(int column, std::u16string characters);
  void setTextLimit(int limit) { textLimit_ = limit; }
  // Which cells hold HEX commands, whose editor takes hexadecimal digits only.
  void setHexOnlyCells(std::function<bool(int row, int column)> hexOnly) {
    hexOnly_ = std::move(hexOnly);
  }

  // The row most recently painted selected; -1 until one is, and again after the table is emptied
  // for a new load. Deleting one row does not reset it.
  int currentRow() const { return currentRow_; }
  bool notifyCheckToggle() const { return notifyCheckToggle_; }
  void setNotifyCheckToggle(bool notify) { notifyCheckToggle_ = notify; }
  // While read-only, no editor opens and no check box toggles; rows can still be chosen. An edit
  // open when it turns read-only is committed first.
  void setReadOnly(bool readOnly);
  bool readOnly() const { return readOnly_; }
  // Commits the edit in progress, if any.
  void endOpenEdit() { view_.endOpenEdit(); }
  // No row is selected or current until the operator chooses one.
  void forgetCurrentRow();
  // Deletes the row; see ListView::removeRow.
  void removeRow(int row);

  // ParamTable
  int rowCount() const override { return view_.rowCount(); }
  void removeAllRows() override;
  int appendRow() override { return view_.appendRow(); }
  std::u16string cellText(int row, int column) const override;
  void setCellText(int row, int column, std::u16string_view text) override;
  bool isChecked(int row) const override { return view_.isChecked(row); }
  void setChecked(int row, bool checked) override { view_.setChecked(row, checked); }
  void beginBulkUpdate() override { view_.beginBulkUpdate(); }
  void endBulkUpdate() override { view_.endBulkUpdate(); }

 private:
  // ListViewEvents
  void onCellClicked(int row, int column, bool modified, bool rowFocused) override;
  void onEditEnded(int row, int column, std::u16string_view text, bool cancelled) override;
  std::optional<RefusedInput> onEditorInput(int row, int column, std::u16string_view before,
                                            std::u16string_view after) override;
  bool mayToggleCheck() const override { return !readOnly_; }
  void onCheckToggled(int row) override;
  void onSelectedRowPainted(int row) override;

  void openComboAt(int row, int column);
  bool holds(int row, int column) const;
  bool isComboColumn(int column) const;
  bool isReadOnlyColumn(int column) const;

  int controlId_;
  ListView& view_;
  ListOwner* owner_ = nullptr;
  int currentRow_ = -1;
  bool notifyCheckToggle_ = false;
  bool readOnly_ = false;
  std::vector<int> comboColumns_;
  std::vector<int> readOnlyColumns_;
  int textLimit_ = kDefaultTextLimit;
  std::array<std::u16string, kMaxColumns> allowedChars_;
  std::function<bool(int row, int column)> hexOnly_;
  std::u16string editStartText_;  // what a cancelled edit gives back
};

}  // namespace trel
