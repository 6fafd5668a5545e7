#include "win32/win32_operator_dialogs.h"

#include <commdlg.h>

#include <string>

#include "win32/file_dialog_filter.h"
#include "win32/wide_text.h"
#include "win32/win32_edit_list_dialog.h"

namespace trel {
namespace {

// A file dialog's buffer: the longest path the system takes.
constexpr std::size_t kPathBuffer = 32768;

int Ask(HWND owner, std::u16string_view text, std::u16string_view caption, UINT buttons) {
  return ::MessageBoxW(owner, ToWide(text).c_str(), ToWide(caption).c_str(), buttons);
}

}  // namespace

void Win32OperatorDialogs::showMessage(std::u16string_view text, std::u16string_view caption) {
  Ask(owner_, text, caption, MB_OK);
}

std::optional<std::u16string> Win32OperatorDialogs::chooseFile(const FileDialogRequest& request) {
  std::wstring path(kPathBuffer, L'\0');
  const std::wstring filter = ToWide(FileDialogFilter(request.filters));
  const std::wstring folder = ToWide(request.startFolder);
  const std::wstring suffix = ToWide(request.defaultSuffix);
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner_;
  dialog.lpstrFilter = filter.c_str();
  dialog.lpstrFile = path.data();
  dialog.nMaxFile = static_cast<DWORD>(path.size());
  dialog.lpstrInitialDir = folder.c_str();
  dialog.lpstrDefExt = suffix.c_str();
  // A name that does not exist yet may be typed; a "Save" dialog asks before it replaces a file.
  dialog.Flags =
      OFN_HIDEREADONLY | OFN_EXPLORER | OFN_NOCHANGEDIR | (request.save ? OFN_OVERWRITEPROMPT : 0);
  const BOOL chosen = request.save ? ::GetSaveFileNameW(&dialog) : ::GetOpenFileNameW(&dialog);
  if (chosen == FALSE) {
    return std::nullopt;
  }
  path.resize(path.find(L'\0'));
  return FromWide(path);
}

bool Win32OperatorDialogs::runEditList(CEditList& list) {
  Win32EditListDialog dialog(list);
  return dialog.run(owner_);
}

bool Win32OperatorDialogs::askYesNo(std::u16string_view text, std::u16string_view caption) {
  return Ask(owner_, text, caption, MB_YESNO | MB_DEFBUTTON2 | MB_ICONQUESTION) == IDYES;
}

Answer Win32OperatorDialogs::askYesNoCancel(std::u16string_view text, std::u16string_view caption) {
  switch (Ask(owner_, text, caption, MB_YESNOCANCEL | MB_DEFBUTTON3 | MB_ICONQUESTION)) {
    case IDYES:
      return Answer::kYes;
    case IDNO:
      return Answer::kNo;
    default:
      return Answer::kCancel;
  }
}

}  // namespace trel
