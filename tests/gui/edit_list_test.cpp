#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <string>
#include <vector>

#include "app/edit_list.h"
#include "gui_test_support.h"
#include "qt/qt_edit_list_dialog.h"
#include "qt/qt_list_view.h"
#include "qt/qt_operator_dialogs.h"
#include "qt/qt_text.h"

namespace trel {
namespace {

class RecordedBoxes : public MessageBoxes {
 public:
  void show(const std::string& text, const std::string& caption) override {
    shown.push_back(caption + ": " + text);
  }
  std::vector<std::string> shown;
};

// The joined text as an optional QString, for comparing.
std::optional<QString> ResultOf(const CEditList& list) {
  return list.result() ? std::optional<QString>(ToQString(*list.result())) : std::nullopt;
}

// One run of the Edit List: its rules and their Qt dialog.
struct EditListRun {
  EditListRun(const QString& text, const QString& separator, MessageBoxes& boxes,
              int limit = CEditList::kDefaultResultLimit)
      : list(text.toStdU16String(), separator.toStdU16String(), boxes, limit), dialog(list) {}
  std::optional<QString> result() const { return ResultOf(list); }

  CEditList list;
  QtEditListDialog dialog;
};

class EditListFixture : public testing::GuiTest {
 protected:
  static QStringList Column(const QtEditListDialog& dialog, int column) {
    QStringList texts;
    for (int row = 0; row < dialog.list()->rowCount(); ++row) {
      texts << dialog.list()->itemText(row, column);
    }
    return texts;
  }

  RecordedBoxes boxes;
};

TEST_F(EditListFixture, ShowsNumberedRowsAndGivesTheTextBackWithTrailingSeparator) {
  EditListRun run("a;b;c", ";", boxes);
  QtEditListDialog& dialog = run.dialog;
  EXPECT_EQ(dialog.windowTitle(), "Edit List");
  EXPECT_EQ(Column(dialog, 0), (QStringList{"1", "2", "3"}));
  EXPECT_EQ(Column(dialog, 1), (QStringList{"a", "b", "c"}));
  EXPECT_EQ(dialog.list()->currentIndex().row(), 2);  // the last row ends up selected
  dialog.okButton()->click();
  EXPECT_EQ(run.result(), QString("a;b;c;"));
  EXPECT_EQ(dialog.QDialog::result(), QDialog::Accepted);
}

// The button an operator sees with this caption.
QPushButton* ButtonCaptioned(const QDialog& dialog, const QString& caption) {
  for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
    if (button->text() == caption) {
      return button;
    }
  }
  return nullptr;
}

TEST_F(EditListFixture, RunModallyOkKeepsTheEditAndCancelDropsIt) {
  QtOperatorDialogs dialogs(nullptr);
  for (const char* caption : {"OK", "Cancel"}) {
    CEditList list(u"a;b;", u";", boxes);
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<QtEditListDialog*>(QApplication::activeModalWidget());
      QPushButton* button = dialog != nullptr ? ButtonCaptioned(*dialog, caption) : nullptr;
      if (button == nullptr) {
        ADD_FAILURE() << "no button " << caption;
        if (dialog != nullptr) {
          dialog->done(-1);
        }
        return;
      }
      dialog->list()->setItemText(0, 1, "z");
      QTest::mouseClick(button, Qt::LeftButton);
    });
    const bool ok = dialogs.runEditList(list);
    EXPECT_EQ(ok, QString(caption) == "OK") << caption;
    EXPECT_EQ(ResultOf(list), ok ? std::optional<QString>("z;b;") : std::nullopt) << caption;
  }
}

TEST_F(EditListFixture, CancelGivesNothingBack) {
  EditListRun run("a;b;", ";", boxes);
  QtEditListDialog& dialog = run.dialog;
  dialog.cancelButton()->click();
  EXPECT_FALSE(run.result().has_value());
  EXPECT_EQ(dialog.QDialog::result(), QDialog::Rejected);
}

TEST_F(EditListFixture, AddStopsForGoodAtOneHundredRows) {
  EditListRun run("", ";", boxes);
  QtEditListDialog& dialog = run.dialog;
  for (int i = 0; i < CEditList::kMaxRows; ++i) {
    dialog.addButton()->click();
  }
  EXPECT_EQ(dialog.list()->rowCount(), 100);
  EXPECT_EQ(dialog.list()->itemText(99, 0), "100");
  EXPECT_TRUE(dialog.addButton()->isEnabled());
  dialog.addButton()->click();
  EXPECT_FALSE(dialog.addButton()->isEnabled());
  EXPECT_EQ(dialog.list()->rowCount(), 100);
  testing::ShowActive(dialog);
  dialog.list()->viewport()->repaint();
  dialog.delButton()->click();
  EXPECT_EQ(dialog.list()->rowCount(), 99);
  EXPECT_FALSE(dialog.addButton()->isEnabled());
}

TEST_F(EditListFixture, DelKeepsNumbersAndDeletesTheRowThatMovesUp) {
  EditListRun run("a;b;c;d", ";", boxes);
  QtEditListDialog& dialog = run.dialog;
  dialog.delButton()->click();  // no row painted selected yet: nothing to delete
  EXPECT_EQ(dialog.list()->rowCount(), 4);
  testing::ShowActive(dialog);
  const QRect second = dialog.list()->visualRect(dialog.list()->model()->index(1, 0));
  QTest::mouseClick(dialog.list()->viewport(), Qt::LeftButton, {}, second.center());
  dialog.list()->viewport()->repaint();
  ASSERT_EQ(run.list.list().currentRow(), 1);
  dialog.delButton()->click();
  EXPECT_EQ(Column(dialog, 0), (QStringList{"1", "3", "4"}));
  // The row that Del deletes next is the one shown selected.
  const QModelIndexList selected = dialog.list()->selectionModel()->selectedRows();
  ASSERT_EQ(selected.size(), 1);
  EXPECT_EQ(selected[0].row(), 1);
  dialog.delButton()->click();
  EXPECT_EQ(Column(dialog, 1), (QStringList{"a", "d"}));
}

TEST_F(EditListFixture, OpenedOnALongListShowsItsTopAndDelDeletesNothingYet) {
  QStringList items;
  for (int item = 1; item <= 40; ++item) {
    items << QStringLiteral("item %1").arg(item);
  }
  EditListRun run(items.join(';'), ";", boxes);
  QtEditListDialog& dialog = run.dialog;
  testing::ShowActive(dialog);
  dialog.list()->viewport()->repaint();
  EXPECT_EQ(dialog.list()->rowAt(0), 0);
  EXPECT_EQ(run.list.list().currentRow(), -1);
  dialog.delButton()->click();
  EXPECT_EQ(Column(dialog, 1), items);
}

TEST_F(EditListFixture, DelAfterTheLastRowDeletesNothingUntilARowIsSelected) {
  EditListRun run("a;b;c", ";", boxes);
  QtEditListDialog& dialog = run.dialog;
  testing::ShowActive(dialog);
  QtListView* list = dialog.list();
  list->viewport()->repaint();
  ASSERT_EQ(run.list.list().currentRow(), 2);  // the selected last row is shown
  dialog.delButton()->click();
  list->viewport()->repaint();
  dialog.delButton()->click();
  list->viewport()->repaint();
  EXPECT_EQ(Column(dialog, 1), (QStringList{"a", "b"}));
  const QRect first = list->visualRect(list->model()->index(0, 0));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, first.center());
  list->viewport()->repaint();
  dialog.delButton()->click();
  EXPECT_EQ(Column(dialog, 1), QStringList{"b"});
}

TEST_F(EditListFixture, EnterPressesTheFocusedButtonAndElsewhereOk) {
  EditListRun run("a;", ";", boxes);
  QtEditListDialog& dialog = run.dialog;
  testing::ShowActive(dialog);
  dialog.addButton()->setFocus();
  QTest::keyClick(dialog.addButton(), Qt::Key_Return);
  EXPECT_EQ(dialog.list()->rowCount(), 2);
  EXPECT_TRUE(dialog.isVisible());
  dialog.list()->setFocus();
  QTest::keyClick(dialog.list(), Qt::Key_Return);
  EXPECT_EQ(run.result(), QString("a;;"));
}

TEST_F(EditListFixture, EditedItemIsJoinedOnOk) {
  EditListRun run("a||b", "||", boxes);
  QtEditListDialog& dialog = run.dialog;
  testing::ShowActive(dialog);
  QtListView* list = dialog.list();
  const QRect cell = list->visualRect(list->model()->index(0, 1));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
  QWidget* editor = list->activeEditor();
  ASSERT_NE(editor, nullptr);
  QTest::keyClicks(editor, "x");
  QTest::keyClick(editor, Qt::Key_Return);
  EXPECT_TRUE(dialog.isVisible());  // Enter in the editor does not press OK
  dialog.okButton()->click();
  EXPECT_EQ(run.result(), QString("x||b||"));
}

TEST_F(EditListFixture, ResultLongerThanTheLimitIsRefusedAndTheDialogStays) {
  const QString item(600, 'a');
  EditListRun run(item + ";" + item, ";", boxes);
  QtEditListDialog& dialog = run.dialog;
  dialog.okButton()->click();
  EXPECT_FALSE(run.result().has_value());
  EXPECT_EQ(dialog.QDialog::result(), 0);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0], "Edit List: The list is too long.");
  dialog.delButton()->click();
}

TEST_F(EditListFixture, ResultOfExactlyTheLimitIsKept) {
  EditListRun run("a;b", ";", boxes, 4);
  QtEditListDialog& dialog = run.dialog;
  dialog.okButton()->click();
  EXPECT_EQ(run.result(), QString("a;b;"));
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(EditListFixture, WithoutSeparatorTheListIsEmptyAndOkGivesNothing) {
  EditListRun run("a;b", "", boxes);
  QtEditListDialog& dialog = run.dialog;
  EXPECT_EQ(dialog.list()->rowCount(), 0);
  dialog.okButton()->click();
  EXPECT_FALSE(run.result().has_value());
}

}  // namespace
}  // namespace trel
