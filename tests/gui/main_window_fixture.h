#pragma once

#include <QApplication>
#include <QString>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/quil_update_dlg.h"
#include "gui_test_support.h"
#include "qt/qt_main_window.h"
#include "support/temp_dir.h"

namespace trel::testing {

// A parameter list of three shown items and one hidden one: a plain flag, a list with its split
// symbol, and non-ASCII text.
inline constexpr std::string_view kParamList =
    "[1]\r\nCommand=1B40\r\nNameEn=Initialise\r\nIsValid=1\r\nDataMode=0\r\nIsHide=0\r\n"
    "[2]\r\nCommand=a;b;c;\r\nNameEn=Header lines\r\nIsValid=;\r\nDataMode=3\r\nIsHide=0\r\n"
    "[3]\r\nCommand=Gr\xC3\xBC\xC3\x9F\x65\r\nName=Greeting\r\nIsValid=0\r\nDataMode=3\r\n"
    "IsHide=0\r\n"
    "[4]\r\nCommand=00\r\nNameEn=Hidden\r\nIsValid=1\r\nDataMode=0\r\nIsHide=1\r\n";

// A parameter list of `items` shown items named "Item 1", "Item 2", ..., longer than the table
// can show at once.
std::string LongParamList(int items);

// The main window, its logic drawn by the Qt renderer, over a tool folder of the test's own, a fake
// link, scripted dialogs and recorded message boxes.
class MainWindowFixture : public GuiTest {
 protected:
  void writeSettings(std::string_view text) const { folder.write("TrelTool.ini", text); }
  void writeWorkingCopy(std::string_view text) const { folder.write("TrelDefault.ini", text); }
  std::filesystem::path settingsFile() const { return folder / "TrelTool.ini"; }
  std::filesystem::path workingCopy() const { return folder / "TrelDefault.ini"; }
  QString pathText(std::string_view name) const;
  std::u16string setting(std::u16string_view section, std::u16string_view key) const;

  // Makes the window and its controls, without starting it.
  void make(DeviceLink* linkToUse = nullptr);
  // Makes and starts the window; false when its start-up failed.
  bool open(DeviceLink* linkToUse = nullptr);
  QtMainWindow& window() { return *screen_; }
  CquilUpdateDlg& logic() { return *logic_; }
  const MainWindowControls& controls() const { return screen_->controls(); }
  void closeWindow() {
    logic_.reset();
    screen_.reset();
  }

  // Import with the file chosen in its dialog.
  void importFile(const std::filesystem::path& file);
  // Paints the table, so the selected row is reported to the window.
  void paintTable();
  void clickRow(int row, int column = 1);
  QStringList column(int column) const;

  TempDir folder;
  FakeDeviceLink link;
  ScriptedDialogs dialogs;
  std::vector<ShownBox>& boxes = dialogs.boxes;

 private:
  // They go first, before what they use; the logic before the screen it draws on.
  std::unique_ptr<QtMainWindow> screen_;
  std::unique_ptr<CquilUpdateDlg> logic_;
};

}  // namespace trel::testing
