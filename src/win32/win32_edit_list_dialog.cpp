#include "win32/win32_edit_list_dialog.h"

#include "app/edit_list_template.h"
#include "win32/dialog_template.h"
#include "win32/win32_list_view.h"
#include "win32/win32_screen_metrics.h"

namespace trel {
namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;

}  // namespace

Win32EditListDialog::Win32EditListDialog(CEditList& list) : list_(list) {}

Win32EditListDialog::~Win32EditListDialog() {
  list_.detach();
}

bool Win32EditListDialog::run(HWND owner) {
  const DialogTemplateBuffer made(kEditListTemplate, L"Edit List",
                                  static_cast<int>(kDialogPointSize), kStyle, 0);
  return ::DialogBoxIndirectParamW(::GetModuleHandleW(nullptr), made.get(), owner, DialogProcedure,
                                   reinterpret_cast<LPARAM>(this)) == IDOK;
}

ListView& Win32EditListDialog::listView() {
  return *view_;
}

void Win32EditListDialog::setAddEnabled(bool enabled) {
  ::EnableWindow(::GetDlgItem(dialog_, CEditList::kAdd), enabled ? TRUE : FALSE);
}

void Win32EditListDialog::endDialog(bool accepted) {
  // The list goes with the rules' hold on it, before the dialog's windows do.
  list_.detach();
  view_.reset();
  ::EndDialog(dialog_, accepted ? IDOK : IDCANCEL);
}

INT_PTR CALLBACK Win32EditListDialog::DialogProcedure(HWND dialog, UINT message, WPARAM wParam,
                                                      LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    auto* self = reinterpret_cast<Win32EditListDialog*>(lParam);
    self->dialog_ = dialog;
    self->view_ = std::make_unique<Win32ListView>(::GetDlgItem(dialog, CEditList::kList));
    self->list_.attach(*self);
    return TRUE;
  }
  auto* self = reinterpret_cast<Win32EditListDialog*>(::GetWindowLongPtrW(dialog, DWLP_USER));
  return self != nullptr ? self->onMessage(message, wParam, lParam) : FALSE;
}

INT_PTR Win32EditListDialog::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED) {
        list_.onCommand(LOWORD(wParam));
      }
      return TRUE;
    case WM_NOTIFY:
      return view_ && view_->answerNotify(dialog_, *reinterpret_cast<const NMHDR*>(lParam)) ? TRUE
                                                                                            : FALSE;
    case WM_CLOSE:
      list_.onCommand(CEditList::kCancel);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace trel
