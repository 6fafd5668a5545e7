#include <sys/stat.h>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "main_window_fixture.h"
#include "platform/private_profile.h"
#include "qt/command_text_box.h"
#include "qt/qt_edit_list_dialog.h"
#include "qt/qt_list_view.h"

namespace trel {
namespace {

using testing::MainWindowFixture;
using testing::ReadBytes;

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

std::string Utf16LeWithMark(std::u16string_view text) {
  std::string bytes = "\xFF\xFE";
  for (const char16_t unit : text) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
}

using FileCommandsTest = MainWindowFixture;

TEST_F(FileCommandsTest, ImportOfUtf8MakesAUtf16WorkingCopy) {
  ASSERT_TRUE(open());
  const auto source = folder.write("plain.ini", testing::kParamList);
  importFile(source);
  EXPECT_EQ(column(1), (QStringList{"Initialise", "Header lines", "Greeting"}));
  EXPECT_EQ(ReadBytes(workingCopy()).substr(0, 2), "\xFF\xFE");
  EXPECT_EQ(ReadProfileString(workingCopy(), u"3", u"Command", u""), u"Grüße");
  EXPECT_EQ(controls().iniPath->text(), QString::fromStdString(source.string()));
  EXPECT_EQ(setting(u"INI", u"IniFile"), source.u16string());
  ASSERT_EQ(dialogs.fileRequests.size(), 1u);
  EXPECT_EQ(dialogs.fileRequests[0].defaultSuffix, "ini");
  EXPECT_EQ(dialogs.fileRequests[0].startFolder, QString::fromStdString(folder.path().string()));
  EXPECT_FALSE(controls().save->isEnabled());
}

TEST_F(FileCommandsTest, ImportOfUtf8WithMarkReadsTheSameText) {
  ASSERT_TRUE(open());
  importFile(folder.write("marked.ini", std::string(kUtf8Bom) + std::string(testing::kParamList)));
  EXPECT_EQ(column(3), (QStringList{"1B40", "a;b;c;", QString::fromUtf8("Grüße")}));
  EXPECT_EQ(ReadProfileString(workingCopy(), u"1", u"NameEn", u""), u"Initialise");
}

TEST_F(FileCommandsTest, ImportOfUtf16LoadsTheFileAndCopiesItByteForByte) {
  ASSERT_TRUE(open());
  const std::string bytes = Utf16LeWithMark(
      u"[1]\r\nCommand=Käse\r\nNameEn=Wide\r\nIsValid=1\r\nDataMode=2\r\nIsHide=0\r\n");
  importFile(folder.write("wide.ini", bytes));
  EXPECT_EQ(column(3), QStringList{QString::fromUtf8("Käse")});
  EXPECT_EQ(column(2), QStringList{"UNICODE"});
  EXPECT_EQ(ReadBytes(workingCopy()), bytes);  // the store rewrote nothing it changed
}

TEST_F(FileCommandsTest, ImportCancelledChangesNothing) {
  writeWorkingCopy(testing::kParamList);
  ASSERT_TRUE(open());
  dialogs.fileAnswers.push_back(QString());
  controls().import->click();
  EXPECT_EQ(controls().table->rowCount(), 3);
  EXPECT_TRUE(controls().iniPath->text().isEmpty());
  EXPECT_EQ(setting(u"INI", u"IniFile"), u"<missing>");
}

TEST_F(FileCommandsTest, ImportOfAFileThatCannotBeReadSaysSoAndChangesNothing) {
  writeWorkingCopy(testing::kParamList);
  const std::string settings = "[INI]\r\nIniFile=" + (folder / "params.ini").string() + "\r\n";
  writeSettings(settings);
  const std::filesystem::path pipe = folder / "pipe.ini";
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  ASSERT_TRUE(open());
  const QStringList rows = column(1);
  const QString iniPath = controls().iniPath->text();
  for (const std::filesystem::path& unreadable : {folder / "missing.ini", folder.path(), pipe}) {
    boxes.clear();
    importFile(unreadable);
    ASSERT_EQ(boxes.size(), 1u) << unreadable;
    EXPECT_EQ(boxes[0].text, "Can't open:" + QString::fromStdString(unreadable.string()));
    EXPECT_EQ(boxes[0].caption, "Error");
    EXPECT_EQ(column(1), rows);
    EXPECT_EQ(ReadBytes(workingCopy()), testing::kParamList);
    EXPECT_EQ(ReadBytes(settingsFile()), settings);
    EXPECT_EQ(controls().iniPath->text(), iniPath);
  }
}

TEST_F(FileCommandsTest, ImportOfAFileWithoutParameterItemsSaysSoAndChangesNothing) {
  writeWorkingCopy(testing::kParamList);
  const std::string settings = "[INI]\r\nIniFile=" + (folder / "params.ini").string() + "\r\n";
  writeSettings(settings);
  ASSERT_TRUE(open());
  const std::string utf16BigEndian("\xFE\xFF\0[\0001\0]\0\r\0\n\0C\0=\0x", 17);
  for (const std::string& bytes : {std::string("\x7F"
                                               "ELF\x02\x01\0\0",
                                               8),
                                   utf16BigEndian, std::string()}) {
    boxes.clear();
    importFile(folder.write("no-items.ini", bytes));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Sorry,no item.");
    EXPECT_EQ(boxes[0].caption, "Error");
    EXPECT_EQ(column(1), (QStringList{"Initialise", "Header lines", "Greeting"}));
    EXPECT_EQ(ReadBytes(workingCopy()), testing::kParamList);
    EXPECT_EQ(ReadBytes(settingsFile()), settings);
  }
}

TEST_F(FileCommandsTest, ImportLeavesNoRowCurrentAndClearsTheStatusAndTheCommandBox) {
  writeWorkingCopy(testing::kParamList);
  ASSERT_TRUE(open());
  clickRow(0);
  importFile(folder.write("short.ini", testing::kParamList));
  paintTable();
  EXPECT_EQ(logic().table().currentRow(), -1);
  EXPECT_TRUE(controls().status->text().isEmpty());
  EXPECT_TRUE(controls().commandText->toPlainText().isEmpty());
  controls().commandText->setFocus();
  QTest::keyClicks(controls().commandText, "ZZ");
  controls().change->click();  // no row was chosen: nothing is written
  EXPECT_FALSE(column(3).contains("ZZ"));
  EXPECT_FALSE(controls().save->isEnabled());
}

// Save and Change disable themselves when pressed; the focus goes to the table, never on round to
// the Port box, where the next key would overwrite the port.
TEST_F(FileCommandsTest, ButtonsThatDisableThemselvesHandTheFocusToTheTable) {
  writeWorkingCopy(testing::kParamList);
  ASSERT_TRUE(open());
  controls().portSelector->setEditText("ttyusb0");
  clickRow(0);
  controls().commandText->setFocus();
  controls().commandText->selectAll();
  QTest::keyClicks(controls().commandText, "1B42");
  controls().change->setFocus();
  QTest::keyClick(controls().change, Qt::Key_Space);
  EXPECT_EQ(controls().table->itemText(0, 3), "1B42");
  EXPECT_EQ(QApplication::focusWidget(), controls().table);
  ASSERT_TRUE(controls().save->isEnabled());
  controls().save->setFocus();
  QTest::keyClick(controls().save, Qt::Key_Space);
  EXPECT_FALSE(controls().save->isEnabled());
  EXPECT_EQ(QApplication::focusWidget(), controls().table);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_X);
  EXPECT_EQ(controls().portSelector->currentText(), "ttyusb0");
}

TEST_F(FileCommandsTest, ExportToANewFileCopiesTheWorkingCopyWithTheTableValues) {
  writeWorkingCopy(testing::kParamList);
  ASSERT_TRUE(open());
  controls().table->setItemText(0, 3, "1B41");
  controls().table->setChecked(2, true);
  const auto target = folder / "exported.ini";
  dialogs.fileAnswers.push_back(QString::fromStdString(target.string()));
  controls().exportButton->click();
  EXPECT_EQ(ReadProfileString(target, u"1", u"Command", u""), u"1B41");
  EXPECT_EQ(ReadProfileString(target, u"3", u"IsValid", u""), u"1");
  EXPECT_EQ(ReadProfileString(target, u"2", u"IsValid", u""), u";");
  EXPECT_EQ(ReadProfileString(target, u"4", u"NameEn", u""), u"Hidden");
  EXPECT_EQ(ReadBytes(workingCopy()), testing::kParamList);  // never rewritten by Export
  EXPECT_TRUE(controls().save->isEnabled());                 // the edit is still unsaved
  EXPECT_EQ(setting(u"INI", u"IniFile"), target.u16string());
}

TEST_F(FileCommandsTest, SaveOfAnEmptyTableReportsFailure) {
  ASSERT_TRUE(open());
  controls().save->setEnabled(true);
  controls().save->click();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "Save fail.");
  EXPECT_EQ(boxes[0].caption, "Save ini file");
  EXPECT_FALSE(controls().save->isEnabled());
}

TEST_F(FileCommandsTest, CheckBoxEnablesSaveAndSaveStoresIt) {
  writeWorkingCopy(testing::kParamList);
  ASSERT_TRUE(open());
  QtListView* table = controls().table;
  const QRect cell = table->visualRect(table->model()->index(2, 0));
  QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.topLeft() + QPoint(8, 8));
  EXPECT_TRUE(table->isChecked(2));
  ASSERT_TRUE(controls().save->isEnabled());
  controls().save->click();
  EXPECT_FALSE(controls().save->isEnabled());
  EXPECT_EQ(ReadProfileString(workingCopy(), u"3", u"IsValid", u""), u"1");
  EXPECT_TRUE(boxes.empty());
}

TEST_F(FileCommandsTest, SaveInAReadOnlyToolFolderRewritesTheWorkingCopyAndKeepsItsMode) {
  writeWorkingCopy(testing::kParamList);
  ::chmod(workingCopy().c_str(), 0640);
  ASSERT_TRUE(open());
  QtListView* table = controls().table;
  const QRect cell = table->visualRect(table->model()->index(2, 0));
  QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.topLeft() + QPoint(8, 8));
  // No write permission bits: the folder refuses a temporary file, also to root.
  ::chmod(folder.path().c_str(), 0555);
  controls().save->click();
  ::chmod(folder.path().c_str(), 0755);
  EXPECT_TRUE(boxes.empty());
  EXPECT_FALSE(controls().save->isEnabled());
  EXPECT_EQ(ReadProfileString(workingCopy(), u"3", u"IsValid", u""), u"1");
  struct stat info {};
  ASSERT_EQ(::stat(workingCopy().c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST_F(FileCommandsTest, SelectingARowShowsItsTextWithoutEnablingChange) {
  writeWorkingCopy(testing::kParamList);
  ASSERT_TRUE(open());
  paintTable();  // the last row loaded is selected
  EXPECT_EQ(controls().commandText->toPlainText(), QString::fromUtf8("Grüße"));
  EXPECT_EQ(controls().status->text(), "Greeting");
  EXPECT_FALSE(controls().editCommand->isEnabled());
  clickRow(1);
  EXPECT_EQ(controls().commandText->toPlainText(), "a;b;c;");
  EXPECT_EQ(controls().status->text(), "Header lines");
  EXPECT_TRUE(controls().editCommand->isEnabled());
  EXPECT_FALSE(controls().change->isEnabled());
  clickRow(0);
  EXPECT_FALSE(controls().editCommand->isEnabled());
}

TEST_F(FileCommandsTest, TypingEnablesChangeWhichWritesTheCurrentRow) {
  writeWorkingCopy(testing::kParamList);
  ASSERT_TRUE(open());
  clickRow(0);
  controls().commandText->setFocus();
  controls().commandText->selectAll();
  QTest::keyClicks(controls().commandText, "1B42");
  QTest::keyClick(controls().commandText, Qt::Key_Return);  // a command has no line breaks
  ASSERT_TRUE(controls().change->isEnabled());
  EXPECT_TRUE(controls().start->isEnabled());
  EXPECT_EQ(controls().status->text(), "Initialise");  // Enter started nothing
  controls().change->click();
  EXPECT_EQ(controls().table->itemText(0, 3), "1B42");
  EXPECT_FALSE(controls().change->isEnabled());
  EXPECT_TRUE(controls().save->isEnabled());
}

TEST_F(FileCommandsTest, InPlaceEditEnablesSaveEvenWhenCancelled) {
  writeWorkingCopy(testing::kParamList);
  ASSERT_TRUE(open());
  clickRow(0, 3);
  QWidget* editor = controls().table->activeEditor();
  ASSERT_NE(editor, nullptr);
  QTest::keyClick(editor, Qt::Key_Escape);
  EXPECT_EQ(controls().table->itemText(0, 3), "1B40");
  EXPECT_TRUE(controls().save->isEnabled());
  EXPECT_TRUE(window().isVisible());
}

TEST_F(FileCommandsTest, EditCommandGoesThroughTheEditList) {
  writeWorkingCopy(testing::kParamList);
  ASSERT_TRUE(open());
  clickRow(1);
  QStringList shown;
  dialogs.editList = [&](QtEditListDialog& dialog) {
    for (int row = 0; row < dialog.list()->rowCount(); ++row) {
      shown << dialog.list()->itemText(row, 1);
    }
    dialog.addButton()->click();
    dialog.list()->setItemText(3, 1, "d");
    dialog.okButton()->click();
    return true;
  };
  controls().editCommand->click();
  EXPECT_EQ(shown, (QStringList{"a", "b", "c"}));
  EXPECT_EQ(controls().table->itemText(1, 3), "a;b;c;d;");
  EXPECT_EQ(controls().commandText->toPlainText(), "a;b;c;d;");
  EXPECT_TRUE(controls().save->isEnabled());
  EXPECT_FALSE(controls().change->isEnabled());
}

TEST_F(FileCommandsTest, EditCommandCancelledChangesNothing) {
  writeWorkingCopy(testing::kParamList);
  ASSERT_TRUE(open());
  clickRow(1);
  dialogs.editList = [](QtEditListDialog& dialog) {
    dialog.list()->setItemText(0, 1, "changed");
    dialog.cancelButton()->click();
    return false;
  };
  controls().editCommand->click();
  EXPECT_EQ(controls().table->itemText(1, 3), "a;b;c;");
  EXPECT_FALSE(controls().save->isEnabled());
}

TEST_F(FileCommandsTest, EditMoreXmlWritesTheSettingAndRebuildsTheList) {
  writeSettings("[PRN]\r\nPrnFile1=/k/main.xml\r\nXmlFile2=one.xml\r\n");
  ASSERT_TRUE(open());
  dialogs.editList = [](QtEditListDialog& dialog) {
    dialog.addButton()->click();
    dialog.list()->setItemText(1, 1, "two.xml");
    dialog.okButton()->click();
    return true;
  };
  controls().moreXmlEdit->click();
  EXPECT_EQ(controls().moreXmlPath->text(), "one.xml;two.xml;");
  EXPECT_EQ(setting(u"PRN", u"XmlFile2"), u"one.xml;two.xml;");
  EXPECT_EQ(logic().fileCommands().moreXmlList().names,
            (std::vector<std::u16string>{u"one.xml", u"two.xml"}));
}

TEST_F(FileCommandsTest, BrowseWritesTheKeywordFileAndStartsInTheToolFolderWithoutFolder) {
  writeSettings("[PRN]\r\nPrnFile1=main.xml\r\n");
  ASSERT_TRUE(open());
  dialogs.fileAnswers.push_back("/k/other.xml");
  controls().browse->click();
  EXPECT_EQ(controls().xmlPath->text(), "/k/other.xml");
  EXPECT_EQ(setting(u"PRN", u"PrnFile1"), u"/k/other.xml");
  ASSERT_EQ(dialogs.fileRequests.size(), 1u);
  EXPECT_EQ(dialogs.fileRequests[0].startFolder, QString::fromStdString(folder.path().string()));
  EXPECT_EQ(dialogs.fileRequests[0].defaultSuffix, "xml");
  controls().browse->click();  // cancelled: nothing changes
  EXPECT_EQ(dialogs.fileRequests[1].startFolder, "/k");
  EXPECT_EQ(controls().xmlPath->text(), "/k/other.xml");
}

// Exit, Escape and the close box ask before unsaved edits are lost; without any they close at once.
TEST_F(FileCommandsTest, LeavingWithUnsavedEditsAsksFirst) {
  enum class Leave { kExit, kEscape, kCloseBox };
  struct Case {
    Leave leave;
    std::optional<Answer> answer;  // nothing: no unsaved edit, no question
    bool closes;
    const char* stored;  // row 1's command in the working copy afterwards
  };
  const Case cases[] = {
      {Leave::kExit, Answer::kYes, true, "1B41"},
      {Leave::kEscape, Answer::kNo, true, "1B40"},
      {Leave::kCloseBox, Answer::kCancel, false, "1B40"},
      {Leave::kExit, Answer::kCancel, false, "1B40"},
      {Leave::kEscape, std::nullopt, true, "1B40"},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(static_cast<int>(test.leave));
    writeWorkingCopy(testing::kParamList);
    ASSERT_TRUE(open());
    if (test.answer) {
      clickRow(0, 3);
      QTest::keyClicks(controls().table->activeEditor(), "1B41");  // left open: Exit commits it
      dialogs.yesNoCancelAnswers.push_back(*test.answer);
    }
    dialogs.questions.clear();
    switch (test.leave) {
      case Leave::kExit:
        QTest::mouseClick(controls().exit, Qt::LeftButton);
        break;
      case Leave::kEscape:
        QTest::keyClick(&window(), Qt::Key_Escape);
        break;
      case Leave::kCloseBox:
        window().close();
        break;
    }
    EXPECT_EQ(window().isVisible(), !test.closes);
    EXPECT_EQ(dialogs.questions,
              test.answer ? QStringList{"Printer Parameter Update: Save the changes to the "
                                        "parameter list?"}
                          : QStringList{});
    EXPECT_EQ(ReadProfileString(workingCopy(), u"1", u"Command", u""),
              QString(test.stored).toStdU16String());
    closeWindow();
  }
}

TEST_F(FileCommandsTest, ExportThatCannotWriteSaysWhyAndKeepsTheIniPath) {
  writeWorkingCopy(testing::kParamList);
  writeSettings("[INI]\r\nIniFile=/p/params.ini\r\n");
  ASSERT_TRUE(open());
  const auto readOnly = folder / "read-only.ini";
  folder.write("read-only.ini", "[1]\r\nCommand=kept\r\n");
  ::chmod(readOnly.c_str(), 0444);
  for (const auto& [target, reason] : {std::pair{readOnly, std::string("Permission denied")},
                                       std::pair{folder.path(), std::string("Is a directory")}}) {
    boxes.clear();
    dialogs.fileAnswers.push_back(QString::fromStdString(target.string()));
    controls().exportButton->click();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text,
              QString::fromStdString("Can't write:" + target.string() + "\n" + reason));
    EXPECT_EQ(boxes[0].caption, "Error");
    EXPECT_EQ(controls().iniPath->text(), "/p/params.ini");
    EXPECT_EQ(setting(u"INI", u"IniFile"), u"/p/params.ini");
    EXPECT_TRUE(dialogs.fileRequests.back().save);  // a "Save" dialog, which asks before replacing
  }
  EXPECT_EQ(ReadBytes(readOnly), "[1]\r\nCommand=kept\r\n");
}

TEST_F(FileCommandsTest, ToolFolderThatCannotBeWrittenIsSaidAtStartAndBySave) {
  writeWorkingCopy(testing::kParamList);
  ::chmod(workingCopy().c_str(), 0444);
  ::chmod(folder.path().c_str(), 0555);
  ASSERT_TRUE(open());
  const QString sentence = "Settings can't be saved in " + pathText("").chopped(1) + ".";
  EXPECT_EQ(controls().status->text(), "Greeting\n" + sentence);  // under the row shown selected
  controls().save->setEnabled(true);
  controls().save->click();
  ::chmod(folder.path().c_str(), 0755);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "Save fail.\n" + sentence);
  EXPECT_TRUE(controls().save->isEnabled());  // the edits are still unsaved
}

}  // namespace
}  // namespace trel
