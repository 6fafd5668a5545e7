#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/param_table.h"
#include "tables/command_input.h"

namespace trel {

// What a renderer's list control tells the list's rules (CComboListCtrl) of the operator's doing.
class ListViewEvents {
 public:
  virtual ~ListViewEvents() = default;
  // A click on a cell, after the control's own click handling (selection, focus): `modified` when
  // Shift or Control was held, `rowFocused` when the clicked row now has the focus.
  virtual void onCellClicked(int row, int column, bool modified, bool rowFocused) = 0;
  // An in-place editor ended: by Enter, a loss of focus (committed) or Escape (cancelled).
  virtual void onEditEnded(int row, int column, std::u16string_view text, bool cancelled) = 0;
  // The operator changed the text of an open editor; what of the change the editor must take back.
  virtual std::optional<RefusedInput> onEditorInput(int row, int column, std::u16string_view before,
                                                    std::u16string_view after) = 0;
  // Whether the operator may toggle a check box now; onCheckToggled follows a toggle.
  virtual bool mayToggleCheck() const = 0;
  virtual void onCheckToggled(int row) = 0;
  // A selected row was painted (as a list view's custom draw sees it).
  virtual void onSelectedRowPainted(int row) = 0;
};

// The renderer's list control in report view: rows of cells with a check box in the first, and
// the in-place editors it opens over a cell when the list's rules ask for one.
class ListView : public ParamTable {
 public:
  virtual void setEvents(ListViewEvents* events) = 0;
  virtual void setCheckBoxes(bool enabled) = 0;
  // A column whose width is the given fraction of the list's width now.
  virtual void addColumn(std::u16string_view heading, int numerator, int denominator) = 0;
  virtual int columnCount() const = 0;
  virtual int columnWidth(int column) const = 0;
  // Deletes the row; the row that moves into its place becomes the selected one, and after the last
  // row nothing is selected.
  virtual void removeRow(int row) = 0;
  // No row is selected or focused.
  virtual void clearSelection() = 0;
  virtual void scrollToRow(int row) = 0;
  // Opens the edit box over the cell: the text selected, at most `textLimit` characters typed (a
  // longer start text is never cut), only `allowedChars` typed when not empty.
  virtual void openEditBox(int row, int column, std::u16string_view text,
                           std::u16string_view allowedChars, int textLimit) = 0;
  // Opens the drop-down list over the cell with the choices, the entry matching `text` (a
  // case-insensitive prefix) selected; false when the row cannot be shown.
  virtual bool openDropDown(int row, int column, const std::vector<std::u16string>& choices,
                            std::u16string_view text) = 0;
  // Commits the edit in progress, if any, as a loss of focus does.
  virtual void endOpenEdit() = 0;
  virtual bool editorOpen() const = 0;
};

}  // namespace trel
