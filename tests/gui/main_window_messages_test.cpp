#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include "link/port_discovery.h"
#include "main_window_fixture.h"
#include "platform/window_messages.h"

namespace trel {
namespace {

using testing::MainWindowFixture;

class WindowMessagesTest : public MainWindowFixture {
 protected:
  void portFound(std::string_view name) {
    const auto [wParam, lParam] = PackPortName(name);
    logic().messages().post(WM_PORT_FOUND, wParam, lParam);
    QApplication::processEvents();
  }
  void post(std::uintptr_t wParam, std::intptr_t lParam) {
    logic().messages().post(WM_UPDATE_STATUS, wParam, lParam);
    QApplication::processEvents();
  }
  QStringList portEntries() const {
    QStringList entries;
    for (int i = 0; i < controls().portSelector->count(); ++i) {
      entries << controls().portSelector->itemText(i);
    }
    return entries;
  }
};

TEST_F(WindowMessagesTest, FoundPortsAreListedOnceSortedWithTheLastPortPreselected) {
  writeSettings("[COM]\r\ncomport=ttyusb1\r\n");
  ASSERT_TRUE(open());
  portFound("ttyusb2");
  EXPECT_EQ(controls().status->text(), "Had found port.");
  EXPECT_EQ(controls().portSelector->currentText(), "ttyusb2");
  portFound("ttyusb1");
  portFound("ttyusb");  // part of a name already listed
  portFound("ttyusb2");
  EXPECT_EQ(portEntries(), (QStringList{"ttyusb1", "ttyusb2"}));
  EXPECT_EQ(controls().portSelector->currentText(), "ttyusb1");
  EXPECT_EQ(logic().updates().discoveredPorts(),
            (std::vector<std::u16string>{u"ttyusb2", u"ttyusb1"}));
}

TEST_F(WindowMessagesTest, StartRefusalsOnlySetTheStatusLine) {
  ASSERT_TRUE(open());
  controls().start->click();
  EXPECT_EQ(controls().status->text(), "Please select Ini file first.");
  controls().iniPath->setText("/p/params.ini");
  controls().start->click();
  EXPECT_EQ(controls().status->text(), "No find com port.");
  portFound("ttyusb0");
  controls().portSelector->setEditText("");
  controls().start->click();
  EXPECT_EQ(controls().status->text(), "No port be selected.");
  EXPECT_TRUE(controls().start->isEnabled());
  EXPECT_TRUE(controls().import->isEnabled());
  EXPECT_TRUE(link.opened.empty());
  EXPECT_EQ(setting(u"COM", u"comport"), u"<missing>");
}

TEST_F(WindowMessagesTest, OutputFileThatCannotBeCreatedRefusesTheStart) {
  writeSettings("[PRN]\r\nOpenSel=1\r\n");
  ASSERT_TRUE(open());
  controls().iniPath->setText("/p/params.ini");
  controls().portSelector->setEditText("ttyusb0");
  controls().saveIni->setChecked(true);
  dialogs.fileAnswers.push_back(
      QString::fromStdString((folder / "no/such/folder/out.bin").string()));
  controls().start->click();
  EXPECT_EQ(controls().status->text(), "The file can't open");
  ASSERT_EQ(dialogs.fileRequests.size(), 1u);
  EXPECT_EQ(dialogs.fileRequests[0].defaultSuffix, "bin");
  EXPECT_EQ(dialogs.fileRequests[0].startFolder, "/p");
  EXPECT_TRUE(controls().start->isEnabled());
}

TEST_F(WindowMessagesTest, OutputFileThatIsAFileToSendIsRefusedAndKept) {
  writeSettings("[PRN]\r\nOpenSel=1\r\nPrnFile1=" + (folder / "main.xml").string() +
                "\r\nXmlFile2=more.xml;\r\n");
  const std::string params = "[Param]\r\nCount=0\r\n";
  const std::filesystem::path paramFile = folder.write("params.ini", params);
  folder.write("main.xml", "<main/>");
  folder.write("more.xml", "<more/>");
  writeWorkingCopy(params);
  ASSERT_TRUE(open());
  controls().iniPath->setText(QString::fromStdString(paramFile.string()));
  controls().portSelector->setEditText("ttyusb0");
  controls().saveIni->setChecked(true);
  for (const std::filesystem::path& input :
       {paramFile, folder / "main.xml", folder / "more.xml", workingCopy(), settingsFile()}) {
    const std::string before = testing::ReadBytes(input);
    dialogs.fileAnswers.push_back(QString::fromStdString(input.string()));
    controls().start->click();
    EXPECT_EQ(controls().status->text(), "The output file is one of the files to send.");
    EXPECT_EQ(testing::ReadBytes(input), before) << input;
    EXPECT_TRUE(controls().start->isEnabled());
    EXPECT_FALSE(logic().updates().jobRunning());
  }
}

TEST_F(WindowMessagesTest, ProgressStopsShortOfFullUntilSuccessThenResets) {
  ASSERT_TRUE(open());
  for (int reply = 0; reply < 150; ++reply) {
    logic().messages().post(WM_UPDATE_STATUS, kStatusReply, 0);
  }
  QApplication::processEvents();
  EXPECT_EQ(controls().progress->value(), 99);
  post(kStatusJobEnded, kJobSucceeded);
  EXPECT_EQ(controls().progress->value(), 100);
  EXPECT_EQ(controls().status->text(), "Download success.");
  EXPECT_TRUE(boxes.empty());
  EXPECT_TRUE(logic().updates().resetTimerActive());
  // The bar empties again three seconds after the success.
  EXPECT_TRUE(testing::WaitUntil([&] { return controls().progress->value() == 0; }, 5000));
}

TEST_F(WindowMessagesTest, FailuresEndInOneErrorBox) {
  ASSERT_TRUE(open());
  post(kStatusJobEnded, kJobPortNotOpened);
  EXPECT_EQ(controls().status->text(), "Sorry,can't open the port,please try again.");
  EXPECT_EQ(link.closes, 1);
  post(kStatusJobEnded, kJobFailed);
  EXPECT_EQ(controls().status->text(), "Please try again or check the port.");
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].text, "Sorry,can't open the port,please try again.");
  EXPECT_EQ(boxes[1].caption, "Error");
}

TEST_F(WindowMessagesTest, ForeignDataOnTheLineNamesItselfInTheFailure) {
  ASSERT_TRUE(open());
  const std::vector<std::uint8_t> noise(31, 0x55);
  link.deliver(noise);
  QApplication::processEvents();
  EXPECT_EQ(controls().progress->value(), 1);
  post(kStatusJobEnded, kJobFailed);
  EXPECT_EQ(controls().status->text(), "Maybe the port have some other data,please try again.");
}

}  // namespace
}  // namespace trel
