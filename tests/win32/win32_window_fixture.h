#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/fake_device_link.h"
#include "app/quil_update_dlg.h"
#include "app/session_device_link.h"
#include "link/serial_session.h"
#include "support/temp_dir.h"
#include "win32/win32_main_window.h"
#include "win32/win32_operator_dialogs.h"

namespace trel::testing {

// Every wait has this limit, generous so that a loaded machine never fails a test that is right.
inline constexpr int kWaitMs = 10000;

// The system's boxes and the Edit List, with the file dialogs answered from a script.
class ScriptedFileDialogs : public Win32OperatorDialogs {
 public:
  std::optional<std::u16string> chooseFile(const FileDialogRequest&) override;
  std::deque<std::u16string> fileAnswers;  // none left answers Cancel
};

// A message box as it came up: caption and text.
struct SeenBox {
  std::u16string caption;
  std::u16string text;
};

// The real Win32 window over a tool folder of the test's own, driven with the messages a user's
// keys and clicks make, its message boxes answered from a timer.
class Win32WindowFixture : public ::testing::Test {
 protected:
  ~Win32WindowFixture() override;

  void writeSettings(std::string_view text) const { folder.write("TrelTool.ini", text); }
  void writeWorkingCopy(std::string_view text) const { folder.write("TrelDefault.ini", text); }
  // Makes the window with the link, starts it and shows it.
  void open(DeviceLink* linkToUse = nullptr);
  void close();

  // Handles the window's messages until the condition holds; false when the limit ran out.
  bool pumpUntil(const std::function<bool()>& condition, int limitMs = kWaitMs);
  void pump() {
    pumpUntil([] { return false; }, 50);
  }
  // A key pressed on the control with the focus; characters typed there.
  void press(WPARAM key);
  void type(std::u16string_view text);
  void click(int controlId);
  // A click on a cell of the table.
  void clickCell(int row, int column);
  // The next message box is answered with the button (IDOK, IDYES, IDNO, IDCANCEL) once it is up.
  void answerNextBox(int button);

  std::u16string text(int controlId) const { return screen_->text(controlId); }
  // The link of the tool itself, the real serial session.
  DeviceLink& printerLink();
  Win32MainWindow& screen() { return *screen_; }
  CquilUpdateDlg& logic() { return *logic_; }

  TempDir folder;
  FakeDeviceLink link;
  ScriptedFileDialogs dialogs;
  std::vector<SeenBox> boxes;

 private:
  static void CALLBACK AnswerBox(HWND, UINT, UINT_PTR timer, DWORD);

  std::deque<int> answers_;
  std::unique_ptr<SerialSession> session_;
  std::unique_ptr<SessionDeviceLink> sessionLink_;
  std::unique_ptr<Win32MainWindow> screen_;
  std::unique_ptr<CquilUpdateDlg> logic_;  // goes before the screen it draws on
};

}  // namespace trel::testing
