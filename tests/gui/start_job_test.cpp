#include <sys/stat.h>

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "app/session_device_link.h"
#include "link/serial_session.h"
#include "main_window_fixture.h"
#include "platform/private_profile.h"
#include "qt/qt_list_view.h"
#include "support/printer_sim_process.h"

namespace trel {
namespace {

using testing::MainWindowFixture;
using testing::PrinterSimProcess;
using testing::WaitUntil;

constexpr int kJobLimitMs = 30000;

class StartJobTest : public MainWindowFixture {
 protected:
  void TearDown() override { closeWindow(); }  // before the session it uses

  // The window over the real serial session, as the tool runs it.
  bool openWithSession() {
    session_ = std::make_unique<SerialSession>();
    sessionLink_ = std::make_unique<SessionDeviceLink>(*session_);
    return open(sessionLink_.get());
  }

  void prepareStart(const std::string& moreSettings = "") {
    writeWorkingCopy(testing::kParamList);
    writeSettings("[INI]\r\nIniFile=" + (folder / "params.ini").string() + "\r\n" + moreSettings);
  }

  void start(const QString& port) {
    controls().portSelector->setEditText(port);
    controls().start->click();
  }

  // Starts the stand-in printer with the options, and an update to it from a window over the real
  // serial session.
  PrinterSimProcess& startAgainstPrinter(const std::vector<std::string>& options,
                                         const std::string& moreSettings = "") {
    printer_ = std::make_unique<PrinterSimProcess>(options);
    EXPECT_TRUE(printer_->started());
    prepareStart(moreSettings);
    EXPECT_TRUE(openWithSession());
    start(QString::fromStdString(printer_->portPath()));
    return *printer_;
  }

  bool waitForBoxes(std::size_t count) {
    return WaitUntil([&] { return boxes.size() == count; }, kJobLimitMs);
  }

  bool jobControlsEnabled() const {
    const MainWindowControls& c = controls();
    return c.start->isEnabled() && c.browse->isEnabled() && c.import->isEnabled() &&
           c.exportButton->isEnabled() && c.moreXmlEdit->isEnabled();
  }

  std::unique_ptr<PrinterSimProcess> printer_;

 private:
  std::unique_ptr<SerialSession> session_;
  std::unique_ptr<SessionDeviceLink> sessionLink_;
};

TEST_F(StartJobTest, PortThatCannotOpenEndsInTheErrorBoxAndSavesTheLine) {
  prepareStart();
  ASSERT_TRUE(open());
  controls().baudSelector->setCurrentIndex(1);
  controls().stopSelector->setCurrentIndex(2);
  start("ttyusb7");
  EXPECT_EQ(controls().status->text(), "Downloading...");
  EXPECT_FALSE(controls().start->isEnabled());
  ASSERT_TRUE(waitForBoxes(1));
  EXPECT_EQ(boxes[0].text, "Sorry,can't open the port,please try again.");
  EXPECT_EQ(boxes[0].caption, "Error");
  EXPECT_TRUE(WaitUntil([&] { return jobControlsEnabled(); }, kJobLimitMs));
  EXPECT_EQ(link.lastBaudRate, 38400u);
  EXPECT_EQ(link.lastStopBits, 2);
  EXPECT_EQ(setting(u"COM", u"comport"), u"ttyusb7");
  EXPECT_EQ(setting(u"COM", u"baudRate"), u"38400");
  EXPECT_EQ(setting(u"COM", u"stopbits"), u"2");
}

TEST_F(StartJobTest, SaveBoxWithoutPortRecordsTheFramesOnly) {
  prepareStart("[PRN]\r\nOpenSel=1\r\nNoPortSave=1\r\n");
  ASSERT_TRUE(open());
  controls().saveIni->setChecked(true);
  const auto output = folder / "out.bin";
  dialogs.fileAnswers.push_back(QString::fromStdString(output.string()));
  start("");
  ASSERT_TRUE(
      WaitUntil([&] { return controls().status->text() == "Download success."; }, kJobLimitMs));
  EXPECT_TRUE(link.opened.empty());
  EXPECT_EQ(link.writeCount(), 0);
  EXPECT_FALSE(testing::ReadBytes(output).empty());
  EXPECT_EQ(setting(u"COM", u"comport"), u"<missing>");  // the line settings are not saved
  EXPECT_TRUE(boxes.empty());
}

TEST_F(StartJobTest, SaveBoxWithoutPortAndNoOutputFileCannotOpenThePort) {
  prepareStart("[PRN]\r\nOpenSel=1\r\nNoPortSave=1\r\n");
  ASSERT_TRUE(open());
  controls().saveIni->setChecked(true);
  dialogs.fileAnswers.push_back(QString());  // the output file dialog is cancelled
  start("");
  ASSERT_TRUE(waitForBoxes(1));
  EXPECT_EQ(boxes[0].text, "Sorry,can't open the port,please try again.");
}

TEST_F(StartJobTest, StartStoresUnsavedEditsFirst) {
  prepareStart();
  ASSERT_TRUE(open());
  controls().table->setItemText(0, 3, "1B41");
  controls().save->setEnabled(true);
  start("ttyusb7");
  EXPECT_FALSE(controls().save->isEnabled());
  EXPECT_EQ(ReadProfileString(workingCopy(), u"1", u"Command", u""), u"1B41");
  EXPECT_TRUE(WaitUntil([&] { return jobControlsEnabled(); }, kJobLimitMs));
}

TEST_F(StartJobTest, ListThatCannotBeStoredIsNotSent) {
  prepareStart();
  ASSERT_TRUE(open());
  controls().table->setItemText(0, 3, "1B41");
  controls().save->setEnabled(true);
  ::chmod(workingCopy().c_str(), 0444);
  start("ttyusb7");
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "Save fail.");
  EXPECT_EQ(boxes[0].caption, "Save ini file");
  EXPECT_TRUE(link.opened.empty());
  EXPECT_TRUE(jobControlsEnabled());
  EXPECT_TRUE(controls().save->isEnabled());
}

// A keyword file that cannot be opened is named before anything is sent; the operator sends
// without it (no box comes up during the update) or not at all.
TEST_F(StartJobTest, KeywordFileThatCannotBeOpenedIsAskedAboutFirst) {
  const std::string examples = TREL_EXAMPLES_DIR;
  const QString question =
      "Printer Parameter Update: Can't open:" + QString::fromStdString(examples) +
      "/missing.xml\nSend the update without this file?";
  for (const bool sendWithout : {false, true}) {
    SCOPED_TRACE(sendWithout);
    printer_ = std::make_unique<PrinterSimProcess>(std::vector<std::string>{"--verbose"});
    prepareStart("[PRN]\r\nPrnFile1=" + examples + "/keywords.xml\r\nXmlFile2=missing.xml;\r\n");
    ASSERT_TRUE(openWithSession());
    dialogs.questions.clear();
    dialogs.yesNoAnswers.push_back(sendWithout);
    start(QString::fromStdString(printer_->portPath()));
    EXPECT_EQ(dialogs.questions, QStringList{question});
    if (sendWithout) {
      ASSERT_TRUE(
          WaitUntil([&] { return controls().status->text() == "Download success."; }, kJobLimitMs));
    } else {
      EXPECT_TRUE(controls().start->isEnabled());
      EXPECT_TRUE(controls().status->text().startsWith("Can't open:"));
    }
    EXPECT_TRUE(boxes.empty());
    closeWindow();
    EXPECT_EQ(printer_->stop(), 0);
    EXPECT_EQ(printer_->output().empty(), !sendWithout);
  }
}

TEST_F(StartJobTest, ClosingTheWindowDuringAJobEndsItAndWaitsForTheWorker) {
  prepareStart();
  link.openResult = 1;
  link.writeResult = 1;  // the frames go out, but no printer answers
  ASSERT_TRUE(open());
  start("ttyusb7");
  ASSERT_FALSE(controls().start->isEnabled());
  ASSERT_TRUE(WaitUntil([&] { return link.writeCount() > 0; }, kJobLimitMs));
  closeWindow();  // returns only once the worker has ended
  EXPECT_GE(link.closes, 1);
  EXPECT_TRUE(link.shutDown);
}

TEST_F(StartJobTest, WholeUpdateToTheStandInPrinterSucceeds) {
  const std::string examples = TREL_EXAMPLES_DIR;
  PrinterSimProcess& printer = startAgainstPrinter(
      {"--verbose"}, "[PRN]\r\nPrnFile1=" + examples +
                         "/keywords.xml\r\nXmlFile2=keywords-extra1.xml;keywords-extra2.ini\r\n");
  ASSERT_TRUE(
      WaitUntil([&] { return controls().status->text() == "Download success."; }, kJobLimitMs));
  EXPECT_EQ(controls().progress->value(), 100);
  EXPECT_TRUE(boxes.empty());
  printer.stop();
  EXPECT_NE(printer.output().find("cmd 83"), std::string::npos);  // keyword frames went out
  EXPECT_TRUE(WaitUntil([&] { return jobControlsEnabled(); }, kJobLimitMs));
}

TEST_F(StartJobTest, RefusedFrameEndsInTheErrorBox) {
  startAgainstPrinter({"--nak", "2"});
  ASSERT_TRUE(waitForBoxes(1));
  EXPECT_EQ(boxes[0].caption, "Error");
  EXPECT_EQ(boxes[0].text, controls().status->text());
  EXPECT_LT(controls().progress->value(), 100);
  EXPECT_TRUE(WaitUntil([&] { return jobControlsEnabled(); }, kJobLimitMs));
}

// Under the window's own message, the box says which frame failed and what the printer may hold.
TEST_F(StartJobTest, PrinterFailureSaysWhichFrameAndWhatThePrinterMayHold) {
  const QString retry = "Please try again or check the port.\n";
  const std::pair<std::vector<std::string>, QString> cases[] = {
      {{"--nak", "2"},
       "The printer refused frame 1 of 2 of the parameter list; it may now hold part of the new "
       "settings."},
      {{"--nak", "1", "2"}, "The printer refused the clock frame; no settings were sent yet."},
      {{"--drop", "3"},
       "The printer did not answer frame 2 of 2 of the parameter list; it may now hold part of "
       "the new settings."},
  };
  for (const auto& [faults, detail] : cases) {
    SCOPED_TRACE(faults.front() + " " + faults.back());
    boxes.clear();
    startAgainstPrinter(faults);
    ASSERT_TRUE(waitForBoxes(1));
    EXPECT_EQ(boxes[0].text, retry + detail);
    EXPECT_EQ(controls().status->text(), boxes[0].text);
    closeWindow();
  }
  boxes.clear();
  link.openResult = 1;  // the port opens, but no write gets through: it has gone
  ASSERT_TRUE(open());
  start("ttyusb7");
  ASSERT_TRUE(waitForBoxes(1));
  EXPECT_EQ(boxes[0].text,
            retry + "The port closed before the clock frame went out; no settings were sent yet.");
}

TEST_F(StartJobTest, WorkersMessageBoxIsShownOnTheWindowBeforeTheOutcome) {
  startAgainstPrinter({"--items-needed", "10"});
  ASSERT_TRUE(waitForBoxes(2));
  EXPECT_EQ(boxes[0].caption, "INI Item Error");
  EXPECT_TRUE(boxes[0].text.startsWith("The firmware need 10 items"));
  EXPECT_EQ(boxes[1].caption, "Error");
}

}  // namespace
}  // namespace trel
