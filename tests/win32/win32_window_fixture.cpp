#include "win32/win32_window_fixture.h"

#include <commctrl.h>

#include <chrono>

#include "app/control_ids.h"
#include "win32/wide_text.h"
#include "win32/win32_list_view.h"

namespace trel::testing {
namespace {

// The fixture whose box a timer answers: one test runs at a time.
Win32WindowFixture* answering = nullptr;
constexpr UINT kAnswerPollMs = 20;
// A message box's text is its static control with this id.
constexpr int kBoxTextId = 0xFFFF;

HWND OpenMessageBox() {
  HWND found = nullptr;
  ::EnumThreadWindows(
      ::GetCurrentThreadId(),
      [](HWND window, LPARAM result) -> BOOL {
        wchar_t name[16] = {};
        ::GetClassNameW(window, name, 16);
        if (std::wstring_view(name) == L"#32770" && ::GetDlgItem(window, kBoxTextId) != nullptr) {
          *reinterpret_cast<HWND*>(result) = window;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

}  // namespace

std::optional<std::u16string> ScriptedFileDialogs::chooseFile(const FileDialogRequest&) {
  if (fileAnswers.empty()) {
    return std::nullopt;
  }
  std::u16string answer = fileAnswers.front();
  fileAnswers.pop_front();
  return answer;
}

Win32WindowFixture::~Win32WindowFixture() {
  close();
}

void Win32WindowFixture::open(DeviceLink* linkToUse) {
  close();
  screen_ = std::make_unique<Win32MainWindow>();
  logic_ = std::make_unique<CquilUpdateDlg>(
      CquilUpdateDlg::Services{linkToUse != nullptr ? *linkToUse : link, dialogs, folder.path()},
      *screen_);
  ASSERT_TRUE(logic_->initialise());
  dialogs.setOwner(screen_->window());
  ::ShowWindow(screen_->window(), SW_SHOW);
  ::SetForegroundWindow(screen_->window());
  ::SetFocus(screen_->control(control::kPortSelector));
  pump();
}

DeviceLink& Win32WindowFixture::printerLink() {
  if (!sessionLink_) {
    session_ = std::make_unique<SerialSession>();
    sessionLink_ = std::make_unique<SessionDeviceLink>(*session_);
  }
  return *sessionLink_;
}

void Win32WindowFixture::close() {
  logic_.reset();
  screen_.reset();
}

bool Win32WindowFixture::pumpUntil(const std::function<bool()>& condition, int limitMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= deadline) {
      return false;
    }
    if (!screen_->handleNextMessage()) {
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
  }
  return true;
}

void Win32WindowFixture::press(WPARAM key) {
  HWND focused = ::GetFocus();
  ::PostMessageW(focused != nullptr ? focused : screen_->window(), WM_KEYDOWN, key, 0);
  pump();
}

void Win32WindowFixture::type(std::u16string_view text) {
  for (const char16_t unit : text) {
    ::PostMessageW(::GetFocus(), WM_CHAR, unit, 0);
  }
  pump();
}

void Win32WindowFixture::click(int controlId) {
  ::SendMessageW(screen_->control(controlId), BM_CLICK, 0, 0);
  pump();
}

void Win32WindowFixture::clickCell(int row, int column) {
  HWND list = screen_->control(control::kTable);
  RECT cell{};
  ListView_GetSubItemRect(list, row, column, LVIR_LABEL, &cell);
  const LPARAM at = MAKELPARAM((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
  ::PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::PostMessageW(list, WM_LBUTTONUP, 0, at);
  pump();
}

void Win32WindowFixture::answerNextBox(int button) {
  answers_.push_back(button);
  answering = this;
  ::SetTimer(nullptr, 0, kAnswerPollMs, AnswerBox);
}

// Runs inside the box's own message loop: records the box and presses the answer's button.
void CALLBACK Win32WindowFixture::AnswerBox(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND box = OpenMessageBox();
  if (box == nullptr || answering == nullptr || answering->answers_.empty()) {
    return;
  }
  ::KillTimer(nullptr, timer);
  answering->boxes.push_back(SeenBox{WindowText(box), WindowText(::GetDlgItem(box, kBoxTextId))});
  const int button = answering->answers_.front();
  answering->answers_.pop_front();
  ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
}

}  // namespace trel::testing
