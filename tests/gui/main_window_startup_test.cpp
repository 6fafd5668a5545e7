#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <map>
#include <tuple>

#include "app/tool_settings.h"
#include "app/window_fit.h"
#include "main_window_fixture.h"
#include "qt/qt_list_view.h"
#include "update/more_xml_list.h"

namespace trel {
namespace {

using testing::MainWindowFixture;

TEST_F(MainWindowFixture, StartsWithDefaultsWithoutSettings) {
  ASSERT_TRUE(open());
  const MainWindowControls& c = controls();
  EXPECT_TRUE(link.started);
  EXPECT_TRUE(link.hasCallback);
  EXPECT_TRUE(window().windowTitle().contains("Printer", Qt::CaseInsensitive));
  EXPECT_EQ(c.baudSelector->currentText(), "9600");
  EXPECT_EQ(c.stopSelector->currentText(), "1");
  EXPECT_EQ(logic().encoding().separatorCode, 0xFF);
  EXPECT_TRUE(c.iniPath->text().isEmpty());
  EXPECT_TRUE(c.xmlPath->text().isEmpty());
  EXPECT_FALSE(c.saveIni->isVisible());
  EXPECT_FALSE(c.saveXml->isEnabled());
  EXPECT_FALSE(c.moreXmlPath->isVisible());
  EXPECT_TRUE(c.xmlPath->isVisible());
  EXPECT_EQ(c.status->text(), "No found device.");
  EXPECT_EQ(c.table->rowCount(), 0);
  EXPECT_FALSE(c.save->isEnabled());
  EXPECT_FALSE(c.change->isEnabled());
  EXPECT_FALSE(c.editCommand->isEnabled());
  EXPECT_EQ(c.progress->maximum(), 100);
}

TEST_F(MainWindowFixture, NetPrinterWithoutBaudRateChoosesTheFastLine) {
  writeSettings("[COM]\r\nnetprinter=1\r\n");
  ASSERT_TRUE(open());
  EXPECT_EQ(controls().baudSelector->currentText(), "115200");
  EXPECT_EQ(logic().encoding().separatorCode, 0x2FF);
}

TEST(ToolSettingsRead, BaudRateAndStopBitsChooseTheirSelectorEntries) {
  testing::TempDir folder;
  const auto read = [&](std::string_view com) {
    return ReadToolSettings(folder.write("TrelTool.ini", "[COM]\r\n" + std::string(com)));
  };
  EXPECT_EQ(read("baudRate=9600\r\n").baudSelectorIndex(), 0);
  EXPECT_EQ(read("baudRate=1200\r\n").baudSelectorIndex(), 0);
  EXPECT_EQ(read("baudRate=9601\r\n").baudSelectorIndex(), 1);
  EXPECT_EQ(read("baudRate=38400\r\n").baudSelectorIndex(), 1);
  EXPECT_EQ(read("baudRate=38401\r\n").baudSelectorIndex(), 2);
  EXPECT_EQ(read("baudRate=999999\r\n").baudRate, 115200u);
  EXPECT_EQ(read("baudRate=-5\r\n").baudSelectorIndex(), 0);
  EXPECT_EQ(read("stopbits=5\r\n").stopbits, 2);
  EXPECT_EQ(read("stopbits=-1\r\n").stopbits, 0);
  EXPECT_EQ(read("netprinter=1\r\nbaudRate=9600\r\n").baudRate, 9600u);
  EXPECT_EQ(read("netprinter=3\r\n").initialSeparatorCode(), 0xFF);
}

TEST_F(MainWindowFixture, SettingsFillTheFieldsAndSelectors) {
  writeSettings(
      "[PRN]\r\nPrnFile1=/k/main.xml\r\nXmlFile2=one.xml;;two.ini;\r\nOpenSel=1\r\n"
      "[INI]\r\nIniFile=/p/params.ini\r\n[COM]\r\nstopbits=5\r\nbaudRate=38401\r\n");
  ASSERT_TRUE(open());
  const MainWindowControls& c = controls();
  EXPECT_EQ(c.stopSelector->currentText(), "2");
  EXPECT_EQ(c.baudSelector->currentText(), "115200");
  EXPECT_EQ(c.xmlPath->text(), "/k/main.xml");
  EXPECT_EQ(c.iniPath->text(), "/p/params.ini");
  EXPECT_TRUE(c.saveIni->isVisible());
  EXPECT_TRUE(c.saveXml->isEnabled());
  EXPECT_FALSE(c.saveIni->isChecked());
  EXPECT_TRUE(c.moreXmlPath->isVisible());
  EXPECT_TRUE(c.moreXmlEdit->isVisible());
  EXPECT_EQ(c.xmlLabel->text(), "Select XML file1:");
  const MoreXmlList& more = logic().fileCommands().moreXmlList();
  EXPECT_EQ(more.folder, u"/k");
  EXPECT_EQ(more.names, (std::vector<std::u16string>{u"one.xml", u"", u"two.ini"}));
}

TEST_F(MainWindowFixture, NoXmlWithAKeywordFileLeavesTheWindowAsDesigned) {
  ASSERT_TRUE(open());
  const QRect designedTable = controls().table->geometry();
  closeWindow();
  writeSettings("[PRN]\r\nNoXml=1\r\nPrnFile1=/k/main.xml\r\n");
  ASSERT_TRUE(open());
  EXPECT_TRUE(controls().xmlPath->isVisible());
  EXPECT_TRUE(controls().browse->isVisible());
  EXPECT_EQ(controls().table->geometry(), designedTable);
}

TEST_F(MainWindowFixture, NoXmlWithoutKeywordFileGivesTheCompactWindow) {
  ASSERT_TRUE(open());
  const MainWindowControls& designed = controls();
  const QRect progress = designed.progress->geometry();
  const QRect table = designed.table->geometry();
  const int xmlLabelTop = designed.xmlLabel->y();
  const int moreLabelTop = designed.moreXmlLabel->y();
  const int statusLeft = designed.status->x();
  closeWindow();
  writeSettings("[PRN]\r\nNoXml=1\r\nXmlFile2=a.xml;\r\nOpenSel=1\r\n");
  ASSERT_TRUE(open());
  const MainWindowControls& c = controls();
  EXPECT_FALSE(c.xmlLabel->isVisible());
  EXPECT_FALSE(c.xmlPath->isVisible());
  EXPECT_FALSE(c.browse->isVisible());
  EXPECT_FALSE(c.saveXml->isVisible());
  EXPECT_FALSE(c.saveXml->isEnabled());
  EXPECT_TRUE(c.saveIni->isVisible());
  EXPECT_TRUE(c.moreXmlPath->text().isEmpty());
  EXPECT_FALSE(c.moreXmlPath->isVisible());
  EXPECT_TRUE(logic().fileCommands().moreXmlList().names.empty());
  EXPECT_EQ(c.progress->geometry(), progress.translated(0, xmlLabelTop - progress.y()));
  EXPECT_EQ(c.status->pos(), QPoint(statusLeft, moreLabelTop));
  EXPECT_EQ(c.saveIni->y(), moreLabelTop);
  EXPECT_EQ(c.table->y(), progress.y());
  EXPECT_EQ(c.table->geometry().bottom(), table.bottom());
}

TEST_F(MainWindowFixture, LinkThatCannotStartEndsTheStartUp) {
  link.startResult = 0;
  EXPECT_FALSE(open());
}

TEST_F(MainWindowFixture, WorkingCopyFillsTheTableWithoutCountingAsAnEdit) {
  writeWorkingCopy(testing::kParamList);
  ASSERT_TRUE(open());
  EXPECT_EQ(column(0), (QStringList{"1", "2", "3"}));
  EXPECT_EQ(column(1), (QStringList{"Initialise", "Header lines", "Greeting"}));
  EXPECT_EQ(column(2), (QStringList{"HEX", "UTF8", "UTF8"}));
  EXPECT_EQ(column(3), (QStringList{"1B40", "a;b;c;", QString::fromUtf8("Grüße")}));
  EXPECT_EQ(column(4), (QStringList{"", ";", ""}));
  EXPECT_FALSE(controls().save->isEnabled());
  EXPECT_TRUE(logic().table().notifyCheckToggle());
}

TEST_F(MainWindowFixture, MaximisingAndRestoringKeepsEveryControlInItsPlace) {
  ASSERT_TRUE(open());
  const MainWindowControls& c = controls();
  const QSize designed = window().size();
  std::map<QWidget*, QRect> before;
  for (const auto& [control, rule] : c.laidOut()) {
    before[control] = control->geometry();
  }
  const QSize bigger = designed + QSize(300, 200);
  window().resize(bigger);
  QApplication::processEvents();
  const auto moved = [&](QWidget* control) { return control->geometry(); };
  EXPECT_EQ(moved(c.table), before[c.table].adjusted(0, 200, 300, 200));
  EXPECT_EQ(moved(c.iniPath), before[c.iniPath].adjusted(0, 200, 300, 200));
  EXPECT_EQ(moved(c.progress), before[c.progress].adjusted(0, 200, 300, 200));
  EXPECT_EQ(moved(c.start), before[c.start].translated(300, 200));
  EXPECT_EQ(moved(c.saveIni), before[c.saveIni].translated(300, 200));
  EXPECT_EQ(moved(c.portSelector), before[c.portSelector].translated(0, 200));
  EXPECT_EQ(moved(c.status), before[c.status].adjusted(0, 200, 300, 200));
  window().resize(designed);
  QApplication::processEvents();
  for (const auto& [control, rect] : before) {
    EXPECT_EQ(control->geometry(), rect) << control->metaObject()->className();
  }
}

// The tests' screen is a 1366 x 768 laptop's: the whole window and every control are on it.
TEST_F(MainWindowFixture, WindowFitsTheLaptopScreen) {
  ASSERT_TRUE(open());
  const QRect screen = window().screen()->availableGeometry();
  EXPECT_EQ(screen.size(), QSize(1366, 768));
  EXPECT_LE(window().height() + 48, screen.height());
  EXPECT_LE(window().width() + 16, screen.width());
  EXPECT_EQ(window().font(), QApplication::font());  // the width fits: the font stays
  for (const auto& [control, rule] : controls().laidOut()) {
    EXPECT_TRUE(window().rect().contains(control->geometry()))
        << control->metaObject()->className();
  }
}

// The table gives up height, never below its shortest, before the window is too tall; too wide
// does not fit at all (the font gives then). Sizes of the main window with a 7 x 14 base, and the
// room of 1366 x 768 and of 1920 x 1080 at a scale of 1.5 (2560 x 1440 at 2 gives the same room).
TEST(WindowFitTest, TheTableGivesUpHeightBeforeTheWindowIsTooTall) {
  const DesignedSize designed{1041, 810, 444, 140};
  const std::tuple<ScreenRoom, bool, int> cases[] = {
      {{1350, 720}, true, 90}, {{1264, 672}, true, 138},  {{1350, 900}, true, 0},
      {{1000, 900}, false, 0}, {{1350, 400}, false, 304},
  };
  for (const auto& [room, fits, cut] : cases) {
    const WindowFit fit = FitWindow(designed, room);
    EXPECT_EQ(fit.fits, fits) << room.width << "x" << room.height;
    EXPECT_EQ(fit.tableCut, cut) << room.width << "x" << room.height;
  }
}

TEST_F(MainWindowFixture, ResizeBeforeStartUpMovesNothing) {
  make();
  const QRect table = controls().table->geometry();
  window().resize(window().size() + QSize(200, 100));
  QApplication::sendPostedEvents();
  EXPECT_EQ(controls().table->geometry(), table);
}

}  // namespace
}  // namespace trel
