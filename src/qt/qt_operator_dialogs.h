#pragma once

#include "app/operator_dialogs.h"

class QWidget;

namespace trel {

// The real dialogs: Qt's message boxes and file dialogs, and the Edit List dialog.
class QtOperatorDialogs : public OperatorDialogs {
 public:
  explicit QtOperatorDialogs(QWidget* owner) : owner_(owner) {}
  // The window the dialogs open over, once it exists.
  void setOwner(QWidget* owner) { owner_ = owner; }

  void showMessage(std::u16string_view text, std::u16string_view caption) override;
  std::optional<std::u16string> chooseFile(const FileDialogRequest& request) override;
  bool runEditList(CEditList& list) override;
  bool askYesNo(std::u16string_view text, std::u16string_view caption) override;
  Answer askYesNoCancel(std::u16string_view text, std::u16string_view caption) override;

 private:
  QWidget* owner_;
};

}  // namespace trel
