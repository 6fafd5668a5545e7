#pragma once

#include <windows.h>

#include "app/operator_dialogs.h"

namespace trel {

// The system's own dialogs: message boxes, the common file dialogs, and the Edit List dialog.
class Win32OperatorDialogs : public OperatorDialogs {
 public:
  // The window the dialogs open over, once it exists.
  void setOwner(HWND owner) { owner_ = owner; }

  void showMessage(std::u16string_view text, std::u16string_view caption) override;
  std::optional<std::u16string> chooseFile(const FileDialogRequest& request) override;
  bool runEditList(CEditList& list) override;
  bool askYesNo(std::u16string_view text, std::u16string_view caption) override;
  Answer askYesNoCancel(std::u16string_view text, std::u16string_view caption) override;

 private:
  HWND owner_ = nullptr;
};

}  // namespace trel
