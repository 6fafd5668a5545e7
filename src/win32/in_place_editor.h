#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tables/command_input.h"

namespace trel {

// One in-place edit of one cell: an edit box or a drop-down list made as a child of the list view
// over the cell. Enter commits and Escape cancels (both give the focus back to the list, and never
// reach the dialog), Tab and any other loss of focus commit; the edit ends exactly once, and its
// window goes after it.
class InPlaceEditor {
 public:
  using Ended = std::function<void(int row, int column, std::u16string text, bool cancelled)>;
  using InputCheck =
      std::function<std::optional<RefusedInput>(std::u16string_view, std::u16string_view)>;

  // An edit box with the text selected; `allowedChars` not empty: only those are typed.
  static std::unique_ptr<InPlaceEditor> EditBox(HWND list, int row, int column, const RECT& cell,
                                                std::u16string_view text,
                                                std::u16string allowedChars, int textLimit,
                                                InputCheck checkInput, Ended ended);
  // A drop-down list with the choices, the entry the text begins selected.
  static std::unique_ptr<InPlaceEditor> DropDown(HWND list, int row, int column, const RECT& area,
                                                 const std::vector<std::u16string>& choices,
                                                 std::u16string_view text, Ended ended);
  ~InPlaceEditor();
  InPlaceEditor(const InPlaceEditor&) = delete;
  InPlaceEditor& operator=(const InPlaceEditor&) = delete;

  HWND window() const { return window_; }
  bool ended() const { return ended_; }
  // The list's own procedure hands over the editor's notifications (EN_CHANGE, CBN_CLOSEUP).
  void onCommand(WORD code);
  // Ends the edit as a loss of focus does.
  void finish();

 private:
  InPlaceEditor(HWND list, int row, int column, Ended ended);
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR id, DWORD_PTR self);
  LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);
  bool refusesCharacter(wchar_t typed) const;
  void keepWhatTheCellTakes();

  HWND list_;
  HWND window_ = nullptr;
  int row_;
  int column_;
  bool dropDown_ = false;
  bool cancelled_ = false;
  bool ended_ = false;
  bool correcting_ = false;
  std::u16string allowedChars_;
  std::u16string accepted_;
  InputCheck checkInput_;
  Ended endedHandler_;
};

}  // namespace trel
