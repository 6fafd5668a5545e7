#include "win32/in_place_editor.h"

#include <commctrl.h>

#include <algorithm>

#include "win32/edit_correction.h"
#include "win32/wide_text.h"

namespace trel {
namespace {

constexpr UINT_PTR kSubclassId = 1;
// Editing keys and the clipboard's, which pass whatever characters a column takes.
constexpr wchar_t kCopy = 3;
constexpr wchar_t kBackspace = 8;
constexpr wchar_t kPaste = 22;
constexpr wchar_t kCut = 24;

bool IsEndKey(WPARAM key) {
  return key == VK_RETURN || key == VK_ESCAPE;
}

void UseTheListsFont(HWND editor, HWND list) {
  ::SendMessageW(editor, WM_SETFONT, ::SendMessageW(list, WM_GETFONT, 0, 0), TRUE);
}

}  // namespace

InPlaceEditor::InPlaceEditor(HWND list, int row, int column, Ended ended)
    : list_(list), row_(row), column_(column), endedHandler_(std::move(ended)) {}

InPlaceEditor::~InPlaceEditor() {
  if (window_ != nullptr) {
    ::RemoveWindowSubclass(window_, Procedure, kSubclassId);
    ::DestroyWindow(window_);
  }
}

std::unique_ptr<InPlaceEditor> InPlaceEditor::EditBox(HWND list, int row, int column,
                                                      const RECT& cell, std::u16string_view text,
                                                      std::u16string allowedChars, int textLimit,
                                                      InputCheck checkInput, Ended ended) {
  std::unique_ptr<InPlaceEditor> editor(new InPlaceEditor(list, row, column, std::move(ended)));
  editor->allowedChars_ = std::move(allowedChars);
  editor->checkInput_ = std::move(checkInput);
  editor->accepted_ = text;
  editor->window_ = ::CreateWindowExW(
      0, L"EDIT", ToWide(text).c_str(),
      WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | ES_AUTOVSCROLL | ES_NOHIDESEL, cell.left, cell.top,
      cell.right - cell.left, cell.bottom - cell.top, list, nullptr, nullptr, nullptr);
  UseTheListsFont(editor->window_, list);
  // Limiting below the start text would cut the cell's text on commit; only typing is limited.
  ::SendMessageW(editor->window_, EM_LIMITTEXT,
                 static_cast<WPARAM>(std::max(textLimit, static_cast<int>(text.size()))), 0);
  ::SendMessageW(editor->window_, EM_SETSEL, 0, -1);
  ::SetWindowSubclass(editor->window_, Procedure, kSubclassId,
                      reinterpret_cast<DWORD_PTR>(editor.get()));
  ::SetFocus(editor->window_);
  return editor;
}

std::unique_ptr<InPlaceEditor> InPlaceEditor::DropDown(HWND list, int row, int column,
                                                       const RECT& area,
                                                       const std::vector<std::u16string>& choices,
                                                       std::u16string_view text, Ended ended) {
  std::unique_ptr<InPlaceEditor> editor(new InPlaceEditor(list, row, column, std::move(ended)));
  editor->dropDown_ = true;
  editor->window_ = ::CreateWindowExW(0, WC_COMBOBOXW, L"",
                                      WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL |
                                          CBS_DROPDOWNLIST | CBS_AUTOHSCROLL | CBS_DISABLENOSCROLL,
                                      area.left, area.top, area.right - area.left,
                                      area.bottom - area.top, list, nullptr, nullptr, nullptr);
  UseTheListsFont(editor->window_, list);
  for (const std::u16string& choice : choices) {
    ::SendMessageW(editor->window_, CB_ADDSTRING, 0,
                   reinterpret_cast<LPARAM>(ToWide(choice).c_str()));
  }
  ::SendMessageW(editor->window_, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(ToWide(text).c_str()));
  ::SetWindowSubclass(editor->window_, Procedure, kSubclassId,
                      reinterpret_cast<DWORD_PTR>(editor.get()));
  ::SetFocus(editor->window_);
  return editor;
}

LRESULT CALLBACK InPlaceEditor::Procedure(HWND, UINT message, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR, DWORD_PTR self) {
  return reinterpret_cast<InPlaceEditor*>(self)->onMessage(message, wParam, lParam);
}

bool InPlaceEditor::refusesCharacter(wchar_t typed) const {
  if (allowedChars_.empty() || typed == kCopy || typed == kBackspace || typed == kPaste ||
      typed == kCut) {
    return false;
  }
  return allowedChars_.find(static_cast<char16_t>(typed)) == std::u16string::npos;
}

LRESULT InPlaceEditor::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_GETDLGCODE: {
      // Enter and Escape are the editor's own: they never press the dialog's buttons.
      const auto* keyMessage = reinterpret_cast<const MSG*>(lParam);
      if (keyMessage != nullptr && keyMessage->message == WM_KEYDOWN &&
          IsEndKey(keyMessage->wParam)) {
        return DLGC_WANTALLKEYS;
      }
      break;
    }
    case WM_KEYDOWN:
      if (IsEndKey(wParam)) {
        cancelled_ = wParam == VK_ESCAPE;
        ::SetFocus(list_);
        return 0;
      }
      break;
    case WM_CHAR:
      if (IsEndKey(wParam)) {
        return 0;
      }
      if (refusesCharacter(static_cast<wchar_t>(wParam))) {
        ::MessageBeep(MB_ICONEXCLAMATION);
        return 0;
      }
      break;
    case WM_KILLFOCUS: {
      const LRESULT result = ::DefSubclassProc(window_, message, wParam, lParam);
      finish();
      return result;
    }
    default:
      break;
  }
  return ::DefSubclassProc(window_, message, wParam, lParam);
}

void InPlaceEditor::onCommand(WORD code) {
  if (code == EN_CHANGE && !dropDown_) {
    keepWhatTheCellTakes();
  } else if (code == CBN_CLOSEUP && dropDown_) {
    // Closing the drop-down, by choosing an entry or otherwise, ends the edit.
    ::SetFocus(list_);
  }
}

// Typing, pasting and dropping all come here, after the change.
void InPlaceEditor::keepWhatTheCellTakes() {
  if (correcting_) {
    return;
  }
  if (const auto refused =
          checkInput_ ? checkInput_(accepted_, WindowText(window_)) : std::nullopt) {
    correcting_ = true;
    TakeBack(window_, *refused);
    correcting_ = false;
  }
  accepted_ = WindowText(window_);
}

void InPlaceEditor::finish() {
  if (ended_) {
    return;
  }
  ended_ = true;
  std::u16string text;
  if (dropDown_) {
    const auto selected = ::SendMessageW(window_, CB_GETCURSEL, 0, 0);
    if (selected != CB_ERR) {
      std::wstring entry(
          static_cast<std::size_t>(::SendMessageW(window_, CB_GETLBTEXTLEN, selected, 0)) + 1,
          L'\0');
      entry.resize(static_cast<std::size_t>(
          ::SendMessageW(window_, CB_GETLBTEXT, selected, reinterpret_cast<LPARAM>(entry.data()))));
      text = FromWide(entry);
    }
  } else {
    text = WindowText(window_);
  }
  ::ShowWindow(window_, SW_HIDE);
  endedHandler_(row_, column_, std::move(text), cancelled_);
}

}  // namespace trel
