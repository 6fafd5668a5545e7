// The real Win32 window under Wine, driven with the messages an operator's keys and clicks make:
// Enter and Escape during and after an update, an in-place edit, the questions the window asks, a
// second start, and (with a stand-in printer on a COM port, from win32_window_job.sh) a whole job.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "app/control_ids.h"
#include "platform/private_profile.h"
#include "platform/tool_folder_lock.h"
#include "platform/utf8_path.h"
#include "platform/utf_convert.h"
#include "win32/wide_text.h"
#include "win32/win32_list_view.h"
#include "win32/win32_window_fixture.h"

namespace trel::testing {
namespace {

namespace c = control;

constexpr std::string_view kParamList =
    "[1]\r\nCommand=1B40\r\nNameEn=Initialise\r\nIsValid=1\r\nDataMode=0\r\nIsHide=0\r\n"
    "[2]\r\nCommand=Hello\r\nNameEn=Greeting\r\nIsValid=1\r\nDataMode=3\r\nIsHide=0\r\n";

class Win32WindowTest : public Win32WindowFixture {
 protected:
  void openWithList(std::string_view moreSettings = "") {
    writeWorkingCopy(kParamList);
    writeSettings("[INI]\r\nIniFile=" + PathToUtf8(folder / "params.ini") + "\r\n" +
                  std::string(moreSettings));
    open();
    screen().setText(c::kPortSelector, u"com9");
  }
  std::u16string cell(int row, int column) { return screen().table().cellText(row, column); }
};

TEST_F(Win32WindowTest, EnterAndEscapeDuringAndAfterAnUpdate) {
  link.holdOpens = true;
  openWithList();
  screen().setFocus(c::kStart);
  press(VK_RETURN);  // Start, the default button
  ASSERT_TRUE(pumpUntil([&] { return link.opening(); }));
  press(VK_ESCAPE);
  press(VK_RETURN);
  EXPECT_FALSE(screen().closed());
  EXPECT_FALSE(screen().isEnabled(c::kStart));
  answerNextBox(IDOK);
  link.letOpenGo();  // the open fails: the update ends in its box
  ASSERT_TRUE(pumpUntil([&] { return screen().isEnabled(c::kStart); }));
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, u"Sorry,can't open the port,please try again.");
  press(VK_RETURN);  // the next update, not Exit
  ASSERT_TRUE(pumpUntil([&] { return link.opening(); }));
  answerNextBox(IDOK);
  link.letOpenGo();
  ASSERT_TRUE(pumpUntil([&] { return screen().isEnabled(c::kStart); }));
  EXPECT_EQ(link.opened.size(), 2u);
  press(VK_ESCAPE);  // without an update and edits Escape closes
  EXPECT_TRUE(screen().closed());
}

TEST_F(Win32WindowTest, InPlaceEditCommitsWithEnterAndCancelsWithEscape) {
  openWithList();
  for (const auto& [row, key, kept] :
       {std::tuple{0, VK_RETURN, u"1B41"}, std::tuple{1, VK_ESCAPE, u"Hello"}}) {
    clickCell(row, 3);
    ASSERT_NE(screen().table().activeEditor(), nullptr) << row;
    type(u"1B41");
    press(key);
    EXPECT_EQ(screen().table().activeEditor(), nullptr);
    EXPECT_EQ(cell(row, 3), kept);
    EXPECT_TRUE(screen().isEnabled(c::kSave));  // an edit ended, also a cancelled one
    EXPECT_FALSE(screen().closed());            // Enter and Escape stayed in the editor
  }
  clickCell(1, 3);
  type(u"a\u2028b");  // a command holds no line break
  press(VK_RETURN);
  EXPECT_EQ(cell(1, 3), u"ab");
  EXPECT_EQ(text(c::kStatus), u"Line breaks were removed.");
}

// The questions the window asks before it could lose an edit or send less than it shows.
TEST_F(Win32WindowTest, QuestionsComeAsTheSystemsMessageBoxes) {
  const std::u16string caption = CquilUpdateDlg::kCaption;
  struct Case {
    std::string settings;
    std::function<void()> act;
    int answer;
    SeenBox box;
    bool closed;
  };
  const auto editThenEscape = [this] {
    clickCell(0, 3);
    type(u"1B41");
    press(VK_RETURN);
    press(VK_ESCAPE);
  };
  const Case cases[] = {
      {"", editThenEscape, IDCANCEL, {caption, u"Save the changes to the parameter list?"}, false},
      {"", editThenEscape, IDNO, {caption, u"Save the changes to the parameter list?"}, true},
      {"[PRN]\r\nPrnFile1=" + PathToUtf8(folder / "gone.xml") + "\r\n",
       [this] { click(c::kStart); },
       IDNO,
       {caption, u"Can't open:" + (folder / "gone.xml").u16string() +
                     u"\nSend the update without this file?"},
       false},
  };
  for (const Case& test : cases) {
    boxes.clear();
    openWithList(test.settings);
    answerNextBox(test.answer);
    test.act();
    ASSERT_TRUE(pumpUntil([&] { return !boxes.empty(); }));
    EXPECT_EQ(boxes[0].caption, test.box.caption);
    EXPECT_EQ(boxes[0].text, test.box.text);
    EXPECT_EQ(screen().closed(), test.closed);
    EXPECT_TRUE(link.opened.empty());
  }
}

TEST_F(Win32WindowTest, ASecondStartSaysTheToolIsRunningAndAsksForTheFirstWindow) {
  const std::unique_ptr<ToolFolderLock> first = ToolFolderLock::Take(folder.path());
  ASSERT_NE(first, nullptr);
  std::atomic<bool> askedToShow{false};
  const auto listening = first->listen([&] { askedToShow = true; });
  wchar_t self[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring program(self);
  program =
      program.substr(0, program.rfind(L'\\', program.rfind(L'\\') - 1)) + L"\\bin\\trel-update.exe";
  ::SetEnvironmentVariableW(L"TREL_TOOL_DIR", folder.path().wstring().c_str());
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION second{};
  std::wstring commandLine = L"\"" + program + L"\"";
  ASSERT_TRUE(::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                               nullptr, nullptr, &startup, &second));
  // The second start waits for input once its box is up.
  ASSERT_EQ(::WaitForInputIdle(second.hProcess, kWaitMs), 0u);
  HWND box = ::FindWindowW(L"#32770", ToWide(CquilUpdateDlg::kCaption).c_str());
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(WindowText(::GetDlgItem(box, 0xFFFF)),
            u"The tool is already running with the folder " + folder.path().u16string() + u".");
  ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  ASSERT_EQ(::WaitForSingleObject(second.hProcess, kWaitMs), WAIT_OBJECT_0);
  DWORD status = 0;
  ::GetExitCodeProcess(second.hProcess, &status);
  ::CloseHandle(second.hThread);
  ::CloseHandle(second.hProcess);
  EXPECT_EQ(status, 1u);
  EXPECT_TRUE(askedToShow);
}

// With a stand-in printer on a COM port (win32_window_job.sh starts it and records what the Linux
// trel records): the whole update from the window, its frames recorded as they go out.
TEST_F(Win32WindowTest, WholeUpdateToTheStandInPrinterEndsInSuccessAndRecordsWhatTrelRecords) {
  const char* port = std::getenv("TREL_WINDOW_PORT");
  const char* expected = std::getenv("TREL_WINDOW_RECORDING");
  const char* examples = std::getenv("TREL_WINDOW_EXAMPLES");
  if (port == nullptr || expected == nullptr || examples == nullptr) {
    GTEST_SKIP() << "runs from win32_window_job.sh, which starts the stand-in printer";
  }
  const std::string folderOfExamples = examples;
  folder.write("TrelDefault.ini", "");
  writeSettings("[PRN]\r\nOpenSel=1\r\nPrnFile1=" + folderOfExamples + "\\keywords.xml\r\n" +
                "XmlFile2=keywords-extra1.xml;keywords-extra2.ini\r\n[INI]\r\nIniFile=\r\n");
  open(&printerLink());
  dialogs.fileAnswers.push_back(Utf8ToUtf16(folderOfExamples + "\\params.ini"));
  click(c::kImport);
  const std::filesystem::path recording = folder / "window.bin";
  dialogs.fileAnswers.push_back(recording.u16string());
  screen().setText(c::kPortSelector, Utf8ToUtf16(port));
  screen().setChecked(c::kSaveIni, true);
  screen().setChecked(c::kSaveXml, true);
  click(c::kStart);
  ASSERT_TRUE(pumpUntil([&] { return text(c::kStatus) == u"Download success."; }, 60000));
  EXPECT_TRUE(boxes.empty());
  std::ifstream made(recording, std::ios::binary);
  std::ifstream wanted(expected, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(made), {}),
            std::string(std::istreambuf_iterator<char>(wanted), {}));
}

}  // namespace
}  // namespace trel::testing
