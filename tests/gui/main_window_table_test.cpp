#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "main_window_fixture.h"
#include "platform/private_profile.h"
#include "qt/command_text_box.h"
#include "qt/qt_edit_list_dialog.h"
#include "qt/qt_list_view.h"

namespace trel {
namespace {

using testing::MainWindowFixture;

constexpr int kLongListItems = 40;

// The parameter table and the command box under it, driven with the keyboard and the mouse.
class TableViewTest : public MainWindowFixture {
 protected:
  QtListView* table() const { return controls().table; }
  CommandTextBox* commandBox() const { return controls().commandText; }

  void typeIntoCommandBox(const QString& text) {
    commandBox()->setFocus();
    commandBox()->selectAll();
    QTest::keyClicks(commandBox(), text);
  }

  static void paste(QWidget* into, const QString& text) {
    QApplication::clipboard()->setText(text);
    QTest::keyClick(into, Qt::Key_V, Qt::ControlModifier);
  }

  // The top row starts right under the header; at the end of the list the last row is whole.
  void expectWholeRows() const {
    EXPECT_EQ(table()->rowViewportPosition(table()->rowAt(0)), 0);
    const int last = table()->rowCount() - 1;
    if (table()->verticalScrollBar()->value() > 0) {
      EXPECT_EQ(table()->verticalScrollBar()->value(), table()->verticalScrollBar()->maximum());
      EXPECT_LE(table()->rowViewportPosition(last) + table()->rowHeight(last),
                table()->viewport()->height());
    }
  }
};

TEST_F(TableViewTest, TableScrollsByWholeRowsAfterImportAtTheEndAndAcrossARestore) {
  ASSERT_TRUE(open());
  importFile(folder.write("long.ini", testing::LongParamList(kLongListItems)));
  expectWholeRows();
  table()->setFocus();
  QTest::keyClick(table(), Qt::Key_End, Qt::ControlModifier);
  ASSERT_GT(table()->verticalScrollBar()->value(), 0);
  expectWholeRows();
  // Maximised, the table is wider and loses its horizontal scroll bar, which comes back on restore.
  const QSize restored = window().size();
  for (const QSize size : {restored + QSize(400, 250), restored}) {
    window().resize(size);
    QApplication::processEvents();
    expectWholeRows();
  }
}

TEST_F(TableViewTest, LoadedListShowsItsTopAndNoRowIsCurrentUntilTheOperatorChoosesOne) {
  writeWorkingCopy(testing::LongParamList(kLongListItems));
  ASSERT_TRUE(open());
  paintTable();
  EXPECT_EQ(table()->verticalScrollBar()->value(), 0);
  EXPECT_EQ(logic().table().currentRow(), -1);
  EXPECT_EQ(controls().status->text(), "No found device.");
  EXPECT_TRUE(commandBox()->toPlainText().isEmpty());
  clickRow(2);
  importFile(folder.write("other.ini", testing::LongParamList(kLongListItems + 5)));
  EXPECT_EQ(table()->verticalScrollBar()->value(), 0);
  typeIntoCommandBox("ZZ");
  controls().change->click();  // row 2 of the old list is no row of this one: nothing is written
  EXPECT_FALSE(column(3).contains("ZZ"));
  EXPECT_FALSE(controls().save->isEnabled());
}

TEST_F(TableViewTest, CommandBoxFollowsAnInPlaceEditSoChangeKeepsIt) {
  writeWorkingCopy(testing::kParamList);
  ASSERT_TRUE(open());
  clickRow(0);
  typeIntoCommandBox("OLD");
  ASSERT_TRUE(controls().change->isEnabled());
  clickRow(0, 3);
  QWidget* editor = table()->activeEditor();
  ASSERT_NE(editor, nullptr);
  QTest::keyClicks(editor, "1B41");
  QTest::keyClick(editor, Qt::Key_Return);
  EXPECT_EQ(commandBox()->toPlainText(), "1B41");
  controls().change->click();
  EXPECT_EQ(table()->itemText(0, 3), "1B41");
}

TEST_F(TableViewTest, CommandHoldsAtMost1023CharactersInTheBoxAndInTheCell) {
  writeWorkingCopy(testing::kParamList);
  ASSERT_TRUE(open());
  const QString tooLong(1100, 'a');
  const auto limit = static_cast<qsizetype>(kProfileValueLimit);
  clickRow(0);
  typeIntoCommandBox("b");
  paste(commandBox(), tooLong);
  EXPECT_EQ(commandBox()->toPlainText(), "b" + tooLong.left(limit - 1));
  QTest::keyClick(commandBox(), Qt::Key_C);
  EXPECT_EQ(commandBox()->toPlainText().size(), limit);
  controls().change->click();
  controls().save->click();
  EXPECT_EQ(QString::fromStdU16String(ReadProfileString(workingCopy(), u"1", u"Command", u"")),
            table()->itemText(0, 3));  // what the working copy gives back is what was shown

  clickRow(1, 3);
  auto* editor = qobject_cast<QLineEdit*>(table()->activeEditor());
  ASSERT_NE(editor, nullptr);
  paste(editor, tooLong);
  QTest::keyClick(editor, Qt::Key_C);
  EXPECT_EQ(editor->text().size(), limit);
  QTest::keyClick(editor, Qt::Key_Return);
  EXPECT_EQ(table()->itemText(1, 3).size(), limit);
}

// What a command cannot hold is removed where it goes in, and the status line says so: line breaks
// anywhere, and anything but hexadecimal digits in a HEX command (row 0 is HEX, row 2 UTF8).
TEST_F(TableViewTest, CommandEditorsKeepOutWhatACommandCannotHold) {
  enum class Editor { kCell, kBox, kListItem };
  struct Case {
    Editor editor;
    int row;
    bool pasted;
    QString input;
    QString kept;
    QString note;
  };
  const QString lineBreaks = "Line breaks were removed.";
  const QString hexOnly = "A HEX command takes only the digits 0-9 and A-F.";
  const Case cases[] = {
      {Editor::kCell, 2, true, "Line one\nLine two", "Line oneLine two", lineBreaks},
      {Editor::kBox, 2, true, "a\r\nb\u2029c", "abc", lineBreaks},
      {Editor::kCell, 0, false, "1G 2z", "12", hexOnly},
      {Editor::kBox, 0, false, "ff-0A", "ff0A", hexOnly},
      {Editor::kBox, 0, true, "1B\n4x0", "1B40", lineBreaks + " " + hexOnly},
      {Editor::kListItem, 1, true, "x\ny", "xy;b;c;", lineBreaks},
  };
  writeWorkingCopy(testing::kParamList);
  ASSERT_TRUE(open());
  for (const Case& test : cases) {
    SCOPED_TRACE(test.input.toStdString());
    controls().status->clear();
    const auto enter = [&](QWidget* editor) {
      test.pasted ? paste(editor, test.input) : QTest::keyClicks(editor, test.input);
    };
    if (test.editor == Editor::kCell) {
      clickRow(test.row, 3);
      QWidget* editor = table()->activeEditor();
      ASSERT_NE(editor, nullptr);
      enter(editor);
      QTest::keyClick(editor, Qt::Key_Return);
      EXPECT_EQ(table()->itemText(test.row, 3), test.kept);
    } else if (test.editor == Editor::kBox) {
      clickRow(test.row);
      commandBox()->setFocus();
      commandBox()->selectAll();
      enter(commandBox());
      EXPECT_EQ(commandBox()->toPlainText(), test.kept);
    } else {
      clickRow(test.row);
      dialogs.editList = [&](QtEditListDialog& dialog) {
        testing::ShowActive(dialog);
        const QRect item = dialog.list()->visualRect(dialog.list()->model()->index(0, 1));
        QTest::mouseClick(dialog.list()->viewport(), Qt::LeftButton, {}, item.center());
        QWidget* editor = dialog.list()->activeEditor();
        EXPECT_NE(editor, nullptr);
        enter(editor);
        QTest::keyClick(editor, Qt::Key_Return);
        dialog.okButton()->click();
        return true;
      };
      controls().editCommand->click();
      EXPECT_EQ(table()->itemText(test.row, 3), test.kept);
    }
    EXPECT_EQ(controls().status->text(), test.note);
  }
  // Tab in the command box moves on, as in a dialog; it types nothing.
  clickRow(2);
  commandBox()->setFocus();
  QTest::keyClick(commandBox(), Qt::Key_Tab);
  EXPECT_NE(QApplication::focusWidget(), commandBox());
  EXPECT_FALSE(commandBox()->toPlainText().contains('\t'));
}

}  // namespace
}  // namespace trel
