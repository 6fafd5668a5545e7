#pragma once

#include <string>
#include <vector>

namespace trel {

// The result of one in-place edit: the cell and the text the editor handed back (its start text
// when the edit was cancelled).
struct CellEdit {
  int row = -1;
  int column = -1;
  std::u16string text;
};

// What a CComboListCtrl tells the window that holds it. Every call is synchronous: the owner has
// finished its handling before the list goes on (for onGetChoices the list must be filled on
// return).
class ListOwner {
 public:
  virtual ~ListOwner() = default;
  // WM_LIST_EDITED: an in-place edit ended (also a cancelled one; `edit` names the cell), or a
  // check box was toggled while the list reports toggles (`edit` is null).
  virtual void onListEdited(int controlId, const CellEdit* edit) = 0;
  // WM_LIST_ROW_SELECTED: a selected row was painted and differs from the list's current row.
  virtual void onRowSelected(int controlId, int row) = 0;
  // WM_LIST_GET_CHOICES: a combo column is about to be edited; fill `choices`.
  virtual void onGetChoices(int column, std::vector<std::u16string>& choices) = 0;
  // An in-place editor removed what a cell cannot hold; the note is for the status line.
  virtual void onInputRefused(const std::string& note) = 0;
};

}  // namespace trel
