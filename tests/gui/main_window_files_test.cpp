#include <sys/stat.h>

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "main_window_fixture.h"
#include "platform/private_profile.h"
#include "widgets/combo_list_ctrl.h"
#include "widgets/edit_list_dialog.h"

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

class FileCommandsTest : public MainWindowFixture {
 protected:
  void importFile(const std::filesystem::path& file) {
    dialogs.fileAnswers.push_back(QString::fromStdString(file.string()));
    controls().import->click();
  }
};

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
  CComboListCtrl* table = controls().table;
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
  CComboListCtrl* table = controls().table;
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
  dialogs.editList = [&](CEditList& dialog) {
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
  dialogs.editList = [](CEditList& dialog) {
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
  dialogs.editList = [](CEditList& dialog) {
    dialog.addButton()->click();
    dialog.list()->setItemText(1, 1, "two.xml");
    dialog.okButton()->click();
    return true;
  };
  controls().moreXmlEdit->click();
  EXPECT_EQ(controls().moreXmlPath->text(), "one.xml;two.xml;");
  EXPECT_EQ(setting(u"PRN", u"XmlFile2"), u"one.xml;two.xml;");
  EXPECT_EQ(window().fileCommands().moreXmlList().names,
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

}  // namespace
}  // namespace trel
