#include "win32/win32_main_window.h"

#include <commctrl.h>

#include <cmath>

#include "app/control_ids.h"
#include "app/dialog_units.h"
#include "win32/dialog_template.h"
#include "win32/edit_correction.h"
#include "win32/wide_text.h"
#include "win32/win32_list_view.h"
#include "win32/win32_screen_metrics.h"

namespace trel {
namespace {

namespace c = control;

// Posted to the window when another thread has handed in a task.
constexpr UINT kRunTasks = WM_APP + 100;
constexpr DWORD kStyle =
    WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | DS_MODALFRAME;
constexpr DWORD kExtendedStyle = WS_EX_APPWINDOW;
constexpr int kIconResource = 128;
// A caption is never drawn smaller than this.
constexpr LONG kSmallestCaptionPixels = 8;

}  // namespace

Win32MainWindow::Win32MainWindow() : uiThread_(::GetCurrentThreadId()) {}

Win32MainWindow::~Win32MainWindow() {
  table_.reset();
  if (dialog_ != nullptr) {
    ::DestroyWindow(dialog_);
  }
  for (HFONT font : captionFonts_) {
    ::DeleteObject(font);
  }
}

ScreenMetrics Win32MainWindow::metrics() const {
  return ScreenMetrics{WorkArea(), kDialogPointSize, kDialogPointSize};
}

DialogBaseUnits Win32MainWindow::baseUnitsAt(double pointSize) const {
  return DialogFontUnits(pointSize);
}

// As the list view's rows: the font's height and a margin.
int Win32MainWindow::rowHeightAt(double pointSize) const {
  return DialogFontUnits(pointSize).y + 6;
}

void Win32MainWindow::createControls(const DialogTemplate& design, double pointSize,
                                     std::u16string_view caption) {
  const DialogTemplateBuffer made(design, ToWide(caption), static_cast<int>(std::lround(pointSize)),
                                  kStyle, kExtendedStyle);
  dialog_ = ::CreateDialogIndirectParamW(::GetModuleHandleW(nullptr), made.get(), nullptr,
                                         DialogProcedure, reinterpret_cast<LPARAM>(this));
  table_ = std::make_unique<Win32ListView>(control(c::kTable));
  for (const ControlTemplate& made : design.controls) {
    if (made.kind == ControlKind::kLabel) {
      fitCaption(control(made.id));
    }
  }
  ::SendMessageW(control(c::kProgress), PBM_SETRANGE32, 0, 100);
  if (HICON icon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kIconResource))) {
    ::SendMessageW(dialog_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    ::SendMessageW(dialog_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  }
}

// A caption wider than its place is drawn in a smaller font rather than broken over two lines.
void Win32MainWindow::fitCaption(HWND label) {
  RECT place{};
  ::GetClientRect(label, &place);
  const std::wstring caption = ToWide(WindowText(label));
  HDC context = ::GetDC(label);
  LOGFONTW design{};
  ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(label, WM_GETFONT, 0, 0)), sizeof design,
               &design);
  for (LONG height = design.lfHeight; height < -kSmallestCaptionPixels; ++height) {
    LOGFONTW smaller = design;
    smaller.lfHeight = height;
    HFONT font = ::CreateFontIndirectW(&smaller);
    const HGDIOBJ previous = ::SelectObject(context, font);
    SIZE extent{};
    ::GetTextExtentPoint32W(context, caption.c_str(), static_cast<int>(caption.size()), &extent);
    ::SelectObject(context, previous);
    if (extent.cx <= place.right) {
      if (height != design.lfHeight) {
        ::SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        captionFonts_.push_back(font);
      } else {
        ::DeleteObject(font);
      }
      break;
    }
    ::DeleteObject(font);
  }
  ::ReleaseDC(label, context);
}

std::u16string Win32MainWindow::caption() const {
  return WindowText(dialog_);
}

std::u16string Win32MainWindow::text(int id) const {
  return WindowText(control(id));
}

void Win32MainWindow::setText(int id, std::u16string_view text) {
  settingText_ = true;
  ::SetWindowTextW(control(id), ToWide(text).c_str());
  settingText_ = false;
  if (id == c::kCommandText) {
    commandBoxText_ = text;
  }
}

bool Win32MainWindow::isEnabled(int id) const {
  return ::IsWindowEnabled(control(id)) != FALSE;
}

void Win32MainWindow::setEnabled(int id, bool enabled) {
  ::EnableWindow(control(id), enabled ? TRUE : FALSE);
}

// Shown or hidden as the window has set it, also before the window itself is shown.
bool Win32MainWindow::isVisible(int id) const {
  return (::GetWindowLongPtrW(control(id), GWL_STYLE) & WS_VISIBLE) != 0;
}

void Win32MainWindow::setVisible(int id, bool visible) {
  ::ShowWindow(control(id), visible ? SW_SHOW : SW_HIDE);
}

bool Win32MainWindow::isChecked(int id) const {
  return ::SendMessageW(control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32MainWindow::setChecked(int id, bool checked) {
  ::SendMessageW(control(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void Win32MainWindow::setReadOnly(int id, bool readOnly) {
  ::SendMessageW(control(id), EM_SETREADONLY, readOnly ? TRUE : FALSE, 0);
}

void Win32MainWindow::setTextLimit(int id, int limit) {
  ::SendMessageW(control(id), EM_LIMITTEXT, static_cast<WPARAM>(limit), 0);
}

int Win32MainWindow::entryCount(int id) const {
  return static_cast<int>(::SendMessageW(control(id), CB_GETCOUNT, 0, 0));
}

std::u16string Win32MainWindow::entryText(int id, int index) const {
  std::wstring entry(
      static_cast<std::size_t>(::SendMessageW(control(id), CB_GETLBTEXTLEN, index, 0)) + 1, L'\0');
  entry.resize(static_cast<std::size_t>(
      ::SendMessageW(control(id), CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(entry.data()))));
  return FromWide(entry);
}

void Win32MainWindow::insertEntry(int id, int index, std::u16string_view text) {
  ::SendMessageW(control(id), CB_INSERTSTRING, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(ToWide(text).c_str()));
}

int Win32MainWindow::selection(int id) const {
  return static_cast<int>(::SendMessageW(control(id), CB_GETCURSEL, 0, 0));
}

void Win32MainWindow::select(int id, int index) {
  ::SendMessageW(control(id), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void Win32MainWindow::setProgress(int id, int position) {
  ::SendMessageW(control(id), PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

int Win32MainWindow::progress(int id) const {
  return static_cast<int>(::SendMessageW(control(id), PBM_GETPOS, 0, 0));
}

ListView& Win32MainWindow::listView(int) {
  return *table_;
}

ScreenRect Win32MainWindow::place(int id) const {
  RECT rect{};
  ::GetWindowRect(control(id), &rect);
  ::MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&rect), 2);
  return ScreenRect{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

void Win32MainWindow::setPlace(int id, const ScreenRect& place) {
  ::SetWindowPos(control(id), nullptr, place.x, place.y, place.width, place.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  ::InvalidateRect(dialog_, nullptr, TRUE);
}

ScreenSize Win32MainWindow::clientSize() const {
  RECT client{};
  ::GetClientRect(dialog_, &client);
  return ScreenSize{client.right, client.bottom};
}

void Win32MainWindow::setClientSize(ScreenSize size, ScreenSize minimum) {
  minimumClient_ = minimum;
  RECT frame{0, 0, size.width, size.height};
  ::AdjustWindowRectEx(&frame, kStyle, FALSE, kExtendedStyle);
  ::SetWindowPos(dialog_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32MainWindow::moveFrameTo(int x, int y) {
  ::SetWindowPos(dialog_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int Win32MainWindow::focusedControl() const {
  for (HWND focused = ::GetFocus(); focused != nullptr; focused = ::GetParent(focused)) {
    if (focused == dialog_) {
      return kWindow;
    }
    if (::GetParent(focused) == dialog_) {
      return ::GetDlgCtrlID(focused);
    }
  }
  return kNoControl;
}

// The dialog manager's own way, so the default button follows the focus.
void Win32MainWindow::setFocus(int id) {
  if (id == kWindow) {
    ::SetFocus(dialog_);
    return;
  }
  ::SendMessageW(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control(id)), TRUE);
}

void Win32MainWindow::startTimer(int id, int milliseconds) {
  ::SetTimer(dialog_, static_cast<UINT_PTR>(id), static_cast<UINT>(milliseconds), nullptr);
}

void Win32MainWindow::stopTimer(int id) {
  ::KillTimer(dialog_, static_cast<UINT_PTR>(id));
}

void Win32MainWindow::post(std::function<void()> task) {
  tasks_.push(std::move(task));
  ::PostMessageW(dialog_, kRunTasks, 0, 0);
}

bool Win32MainWindow::onUiThread() const {
  return ::GetCurrentThreadId() == uiThread_;
}

void Win32MainWindow::closeWindow() {
  closed_ = true;
  ::ShowWindow(dialog_, SW_HIDE);
}

void Win32MainWindow::bringToFront() {
  ::ShowWindow(dialog_, ::IsIconic(dialog_) ? SW_RESTORE : SW_SHOW);
  ::SetForegroundWindow(dialog_);
}

INT_PTR CALLBACK Win32MainWindow::DialogProcedure(HWND dialog, UINT message, WPARAM wParam,
                                                  LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    reinterpret_cast<Win32MainWindow*>(lParam)->dialog_ = dialog;
    return TRUE;
  }
  auto* self = reinterpret_cast<Win32MainWindow*>(::GetWindowLongPtrW(dialog, DWLP_USER));
  return self != nullptr ? self->onMessage(message, wParam, lParam) : FALSE;
}

INT_PTR Win32MainWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      onCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      return TRUE;
    case WM_NOTIFY:
      return table_ && table_->answerNotify(dialog_, *reinterpret_cast<const NMHDR*>(lParam))
                 ? TRUE
                 : FALSE;
    case WM_SIZE:
      if (events_ != nullptr && wParam != SIZE_MINIMIZED) {
        events_->onResized(ScreenSize{LOWORD(lParam), HIWORD(lParam)});
      }
      return TRUE;
    case WM_GETMINMAXINFO: {
      RECT frame{0, 0, minimumClient_.width, minimumClient_.height};
      ::AdjustWindowRectEx(&frame, kStyle, FALSE, kExtendedStyle);
      auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
      limits->ptMinTrackSize = POINT{frame.right - frame.left, frame.bottom - frame.top};
      return TRUE;
    }
    case WM_TIMER:
      if (events_ != nullptr) {
        events_->onTimer(static_cast<int>(wParam));
      }
      return TRUE;
    case WM_CLOSE:
      if (events_ == nullptr || events_->onCloseRequested()) {
        closeWindow();
      }
      return TRUE;
    case kRunTasks:
      tasks_.runOne();
      return TRUE;
    default:
      return FALSE;
  }
}

void Win32MainWindow::onCommand(WORD id, WORD code, HWND) {
  if (events_ == nullptr) {
    return;
  }
  if (id == c::kCommandText && code == EN_CHANGE) {
    onCommandBoxChanged();
  } else if ((code == EN_CHANGE || code == CBN_EDITCHANGE) && !settingText_) {
    events_->onTextChanged(id);
  } else if (code == BN_CLICKED) {
    events_->onCommand(id);
  }
}

void Win32MainWindow::onCommandBoxChanged() {
  if (settingText_) {
    return;
  }
  HWND box = control(c::kCommandText);
  if (const auto refused =
          events_->onTextEdited(c::kCommandText, commandBoxText_, WindowText(box))) {
    settingText_ = true;
    TakeBack(box, *refused);
    settingText_ = false;
  }
  commandBoxText_ = WindowText(box);
  events_->onTextChanged(c::kCommandText);
}

// Escape outside the editors goes to the window's logic, not to the dialog's cancel button; Enter
// in the command box does nothing (a command holds no line break, and Start is not pressed there).
bool Win32MainWindow::preTranslate(const MSG& message) {
  if (message.message != WM_KEYDOWN ||
      (message.hwnd != dialog_ && ::IsChild(dialog_, message.hwnd) == FALSE)) {
    return false;
  }
  if (message.wParam == VK_ESCAPE && table_->activeEditor() == nullptr) {
    if (events_ != nullptr) {
      events_->onEscape();
    }
    return true;
  }
  return message.wParam == VK_RETURN && ::GetFocus() == control(c::kCommandText);
}

bool Win32MainWindow::handleNextMessage() {
  MSG message{};
  if (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) == FALSE) {
    return false;
  }
  if (!preTranslate(message) && ::IsDialogMessageW(dialog_, &message) == FALSE) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return true;
}

void Win32MainWindow::runModal() {
  ::ShowWindow(dialog_, SW_SHOW);
  while (!closed_) {
    if (!handleNextMessage()) {
      ::WaitMessage();
    }
  }
}

}  // namespace trel
