#pragma once

#include <windows.h>

#include <memory>

#include "app/edit_list.h"

namespace trel {

class Win32ListView;

// The Win32 dialog of one CEditList run, made in memory from its template; the presses of Add,
// Del, OK and Cancel go to the Edit List's rules.
class Win32EditListDialog : public EditListScreen {
 public:
  explicit Win32EditListDialog(CEditList& list);
  ~Win32EditListDialog() override;

  // Runs the dialog modally over the owner; true when it ended with OK.
  bool run(HWND owner);
  HWND window() const { return dialog_; }

  // EditListScreen
  ListView& listView() override;
  void setAddEnabled(bool enabled) override;
  void endDialog(bool accepted) override;

 private:
  static INT_PTR CALLBACK DialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam);

  CEditList& list_;
  HWND dialog_ = nullptr;
  std::unique_ptr<Win32ListView> view_;
};

}  // namespace trel
