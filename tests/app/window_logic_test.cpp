// The window's logic as an operator meets it, drawn by a renderer held in memory: what a click or
// a typed text leaves in the cells, the status line and the files. No toolkit takes part, so these
// tests run wherever the logic is built, Windows included.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "app/control_ids.h"
#include "app/fake_device_link.h"
#include "app/fake_screen.h"
#include "app/quil_update_dlg.h"
#include "app/window_fit.h"
#include "link/port_discovery.h"
#include "platform/private_profile.h"
#include "support/temp_dir.h"

namespace trel {
namespace {

namespace c = control;
using testing::FakeDialogs;
using testing::FakeEditListScreen;
using testing::FakeScreen;

constexpr std::string_view kParamList =
    "[1]\r\nCommand=1B40\r\nNameEn=Initialise\r\nIsValid=1\r\nDataMode=0\r\nIsHide=0\r\n"
    "[2]\r\nCommand=a;b;c;\r\nNameEn=Header lines\r\nIsValid=;\r\nDataMode=3\r\nIsHide=0\r\n"
    "[3]\r\nCommand=Hello\r\nNameEn=Greeting\r\nIsValid=0\r\nDataMode=3\r\nIsHide=0\r\n";

class WindowLogicTest : public ::testing::Test {
 protected:
  ~WindowLogicTest() override { window.reset(); }

  void open(std::string_view settings = "", std::string_view workingCopy = kParamList) {
    folder.write("TrelTool.ini", settings);
    folder.write("TrelDefault.ini", workingCopy);
    window = std::make_unique<CquilUpdateDlg>(
        CquilUpdateDlg::Services{link, dialogs, folder.path(), [this] { return missingPortNote; }},
        *screen);
    ASSERT_TRUE(window->initialise());
  }
  std::u16string status() const { return screen->text(c::kStatus); }
  std::u16string path(std::string_view name) const { return (folder / name).u16string(); }

  testing::TempDir folder;
  std::string missingPortNote;  // what the device data say at start-up
  testing::FakeDeviceLink link;
  FakeDialogs dialogs;
  std::unique_ptr<FakeScreen> screen = std::make_unique<FakeScreen>();
  std::unique_ptr<CquilUpdateDlg> window;  // goes before the screen it draws on
};

TEST_F(WindowLogicTest, StartUpShowsTheSettings) {
  struct Case {
    std::string settings;
    int baudEntry;
    int stopEntry;
    std::u16string xmlLabel;
    bool moreXmlShown;
    bool saveBoxesShown;
    std::string missingPortNote = "";
    std::u16string status = u"No found device.";
  };
  const Case cases[] = {
      {"", 0, 0, u"Select XML file:", false, false},
      {"[COM]\r\nnetprinter=1\r\n", 2, 0, u"Select XML file:", false, false},
      {"[COM]\r\nbaudRate=38401\r\nstopbits=5\r\n[PRN]\r\nXmlFile2=a.xml\r\nOpenSel=1\r\n", 2, 2,
       u"Select XML file1:", true, true},
      {"[COM]\r\nbaudRate=9601\r\n", 1, 0, u"Select XML file:", false, false},
      // No printer's port: the device data's cause goes under the first line.
      {"", 0, 0, u"Select XML file:", false, false, "No USB serial adapter is present.",
       u"No found device.\nNo USB serial adapter is present."},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.settings);
    window.reset();
    screen = std::make_unique<FakeScreen>();
    missingPortNote = test.missingPortNote;
    open(test.settings);
    EXPECT_EQ(screen->selection(c::kBaudSelector), test.baudEntry);
    EXPECT_EQ(screen->selection(c::kStopSelector), test.stopEntry);
    EXPECT_EQ(screen->text(c::kXmlLabel), test.xmlLabel);
    EXPECT_EQ(screen->isVisible(c::kMoreXmlPath), test.moreXmlShown);
    EXPECT_EQ(screen->isVisible(c::kSaveIni), test.saveBoxesShown);
    EXPECT_EQ(status(), test.status);
    EXPECT_FALSE(screen->isEnabled(c::kSave));
  }
}

TEST_F(WindowLogicTest, ImportShowsTheListWithNoRowCurrentOrRefusesAFileItCannotUse) {
  open();
  folder.write("new.ini", "[1]\r\nCommand=41\r\nNameEn=Only one\r\nDataMode=1\r\nIsHide=0\r\n");
  folder.write("empty.ini", "");
  screen->table.click(0, 1);
  const std::tuple<std::string, std::vector<std::u16string>, std::u16string> cases[] = {
      {"missing.ini",
       {u"Initialise", u"Header lines", u"Greeting"},
       u"Error: Can't open:" + path("missing.ini")},
      {"empty.ini", {u"Initialise", u"Header lines", u"Greeting"}, u"Error: Sorry,no item."},
      {"new.ini", {u"Only one"}, u""},
  };
  for (const auto& [name, names, box] : cases) {
    SCOPED_TRACE(name);
    dialogs.boxes.clear();
    dialogs.fileAnswers.push_back(path(name));
    screen->click(c::kImport);
    EXPECT_EQ(screen->table.column(1), names);
    EXPECT_EQ(dialogs.boxes, box.empty() ? std::vector<std::u16string>{} : std::vector{box});
  }
  screen->table.paint();
  EXPECT_EQ(window->table().currentRow(), -1);
  EXPECT_EQ(status(), u"");
  EXPECT_EQ(screen->text(c::kCommandText), u"");
  EXPECT_EQ(ReadProfileString(folder / "TrelTool.ini", u"INI", u"IniFile", u""), path("new.ini"));
  EXPECT_EQ(dialogs.fileRequests.back().defaultSuffix, u"ini");
}

TEST_F(WindowLogicTest, CommandTextsKeepOutWhatACommandCannotHold) {
  open();
  screen->table.click(0, 1);  // row 0 is HEX
  EXPECT_EQ(status(), u"Initialise");
  screen->setText(c::kCommandText, u"");
  screen->type(c::kCommandText, u"1B\n4G0");
  EXPECT_EQ(screen->text(c::kCommandText), u"1B40");
  EXPECT_EQ(status(),
            u"Line breaks were removed. A HEX command takes only the digits 0-9 and A-F.");
  EXPECT_TRUE(screen->isEnabled(c::kChange));
  screen->click(c::kChange);
  screen->table.click(2, 3);  // UTF8: an in-place edit
  screen->table.typeIntoEditor(u"Hi\r\nthere");
  EXPECT_EQ(screen->table.column(3), (std::vector<std::u16string>{u"1B40", u"a;b;c;", u"Hithere"}));
  EXPECT_EQ(status(), u"Line breaks were removed.");
  EXPECT_TRUE(screen->isEnabled(c::kSave));
}

TEST_F(WindowLogicTest, EditListSplitsJoinsAndRefusesWhatIsTooLong) {
  open();
  screen->table.click(1, 1);
  ASSERT_TRUE(screen->isEnabled(c::kEditCommand));
  const std::tuple<std::u16string, std::u16string> cases[] = {
      {u"d", u"a;b;c;d;"}, {std::u16string(1100, u'x'), u"a;b;c;d;"}};
  for (const auto& [added, kept] : cases) {
    dialogs.boxes.clear();
    dialogs.editList = [&, added = added](CEditList& list, FakeEditListScreen& dialog) {
      EXPECT_EQ(dialog.list.cellText(2, 1), u"c");  // one item a row
      list.onCommand(CEditList::kAdd);
      dialog.list.setCellText(3, 1, added);
      list.onCommand(CEditList::kOk);
      if (!dialog.ended) {
        list.onCommand(CEditList::kCancel);
      }
    };
    screen->click(c::kEditCommand);
    EXPECT_EQ(screen->table.cellText(1, 3), kept);
  }
  EXPECT_EQ(dialogs.boxes, std::vector<std::u16string>{u"Edit List: The list is too long."});
  // "Add" stops for good at 100 rows.
  dialogs.editList = [](CEditList& list, FakeEditListScreen& dialog) {
    for (int press = 0; press < CEditList::kMaxRows; ++press) {
      list.onCommand(CEditList::kAdd);
    }
    EXPECT_EQ(dialog.list.rowCount(), CEditList::kMaxRows);
    EXPECT_FALSE(dialog.addEnabled);
  };
  screen->click(c::kEditCommand);
}

// Under the window's message, the box says why the port did not open, as the system said it.
TEST_F(WindowLogicTest, PortThatDidNotOpenSaysWhy) {
  link.openError = "com9: in use by another program";
  open("[INI]\r\nIniFile=" + (folder / "params.ini").string() + "\r\n");
  screen->setText(c::kPortSelector, u"com9");
  screen->click(c::kStart);
  while (dialogs.boxes.empty() && screen->runPostedWhenThere(std::chrono::seconds(10))) {
  }
  EXPECT_EQ(dialogs.boxes, std::vector<std::u16string>{u"Error: Sorry,can't open the port,please "
                                                       u"try again.\ncom9: in use by another "
                                                       u"program"});
  EXPECT_EQ(link.opened, std::vector<std::string>{"com9"});
}

TEST_F(WindowLogicTest, StartRefusesWithAReasonAndSendsNothing) {
  const std::u16string keywordQuestion = std::u16string(CquilUpdateDlg::kCaption) +
                                         u": Can't open:" + path("missing.xml") +
                                         u"\nSend the update without this file?";
  struct Case {
    std::u16string iniPath;
    std::u16string port;
    std::u16string status;
  };
  const Case cases[] = {
      {u"", u"ttyusb0", u"Please select Ini file first."},
      {path("params.ini"), u"", u"No find com port."},
      {path("params.ini"), u"ttyusb0", u"Can't open:" + path("missing.xml")},
  };
  open("[PRN]\r\nPrnFile1=" + (folder / "main.xml").string() + "\r\nXmlFile2=missing.xml;\r\n");
  folder.write("main.xml", "<main/>");
  for (const Case& test : cases) {
    screen->setText(c::kIniPath, test.iniPath);
    screen->setText(c::kPortSelector, test.port);
    screen->click(c::kStart);
    EXPECT_EQ(status(), test.status);
  }
  EXPECT_EQ(dialogs.questions, std::vector{keywordQuestion});
  EXPECT_TRUE(link.opened.empty());
  EXPECT_TRUE(screen->isEnabled(c::kStart));
}

// The table gives up height before the window is too tall; a screen too narrow takes a smaller
// font. The frame sits whole in the screen's free area.
TEST_F(WindowLogicTest, TheWindowFitsItsScreen) {
  const std::tuple<ScreenRect, double> cases[] = {
      {{0, 0, 1366, 768}, 9}, {{0, 30, 1280, 690}, 9}, {{0, 0, 900, 700}, 7.5}};
  for (const auto& [available, pointSize] : cases) {
    SCOPED_TRACE(available.width);
    window.reset();
    screen = std::make_unique<FakeScreen>();
    screen->screenMetrics.available = available;
    open();
    EXPECT_EQ(screen->unitsAt(pointSize).x * 595 / 4, screen->client.width);
    EXPECT_LE(screen->frameAt.y + screen->client.height + kFrameHeight, available.bottom());
    EXPECT_GE(screen->frameAt.y, available.y);
    EXPECT_LE(screen->frameAt.x + screen->client.width + kFrameWidth, available.right());
    EXPECT_LE(screen->place(c::kSave).bottom(), screen->client.height);
  }
}

TEST_F(WindowLogicTest, FoundPortsAreListedOnceSortedWithTheLastPortChosen) {
  open("[COM]\r\ncomport=ttyusb1\r\n");
  for (const std::string_view port : {"ttyusb2", "ttyusb1", "ttyusb", "ttyusb2"}) {
    const auto [wParam, lParam] = PackPortName(port);
    window->messages().post(WM_PORT_FOUND, wParam, lParam);
  }
  screen->runPosted();
  EXPECT_EQ(screen->control(c::kPortSelector).entries,
            (std::vector<std::u16string>{u"ttyusb1", u"ttyusb2"}));
  EXPECT_EQ(screen->text(c::kPortSelector), u"ttyusb1");
  EXPECT_EQ(status(), u"Had found port.");
}

}  // namespace
}  // namespace trel
