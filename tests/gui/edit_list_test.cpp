#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <string>
#include <vector>

#include "app/operator_dialogs.h"
#include "gui_test_support.h"
#include "widgets/combo_list_ctrl.h"
#include "widgets/edit_list_dialog.h"

namespace trel {
namespace {

class RecordedBoxes : public MessageBoxes {
 public:
  void show(const std::string& text, const std::string& caption) override {
    shown.push_back(caption + ": " + text);
  }
  std::vector<std::string> shown;
};

class EditListFixture : public testing::GuiTest {
 protected:
  static QStringList Column(const CEditList& dialog, int column) {
    QStringList texts;
    for (int row = 0; row < dialog.list()->rowCount(); ++row) {
      texts << dialog.list()->itemText(row, column);
    }
    return texts;
  }

  RecordedBoxes boxes;
};

TEST_F(EditListFixture, ShowsNumberedRowsAndGivesTheTextBackWithTrailingSeparator) {
  CEditList dialog("a;b;c", ";", boxes);
  EXPECT_EQ(dialog.windowTitle(), "Edit List");
  EXPECT_EQ(Column(dialog, 0), (QStringList{"1", "2", "3"}));
  EXPECT_EQ(Column(dialog, 1), (QStringList{"a", "b", "c"}));
  EXPECT_EQ(dialog.list()->currentIndex().row(), 2);  // the last row ends up selected
  dialog.okButton()->click();
  EXPECT_EQ(dialog.result(), QString("a;b;c;"));
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
    CEditList dialog("a;b;", ";", boxes);
    QTimer::singleShot(0, &dialog, [&] {
      dialog.list()->setItemText(0, 1, "z");
      QPushButton* button = ButtonCaptioned(dialog, caption);
      if (button == nullptr) {
        ADD_FAILURE() << "no button " << caption;
        dialog.done(-1);
        return;
      }
      QTest::mouseClick(button, Qt::LeftButton);
    });
    const bool ok = dialogs.runEditList(dialog);
    EXPECT_EQ(ok, QString(caption) == "OK") << caption;
    EXPECT_EQ(dialog.result(), ok ? std::optional<QString>("z;b;") : std::nullopt) << caption;
  }
}

TEST_F(EditListFixture, CancelGivesNothingBack) {
  CEditList dialog("a;b;", ";", boxes);
  dialog.cancelButton()->click();
  EXPECT_FALSE(dialog.result().has_value());
  EXPECT_EQ(dialog.QDialog::result(), QDialog::Rejected);
}

TEST_F(EditListFixture, AddStopsForGoodAtOneHundredRows) {
  CEditList dialog("", ";", boxes);
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
  CEditList dialog("a;b;c;d", ";", boxes);
  dialog.delButton()->click();  // no row painted selected yet: nothing to delete
  EXPECT_EQ(dialog.list()->rowCount(), 4);
  testing::ShowActive(dialog);
  const QRect second = dialog.list()->visualRect(dialog.list()->model()->index(1, 0));
  QTest::mouseClick(dialog.list()->viewport(), Qt::LeftButton, {}, second.center());
  dialog.list()->viewport()->repaint();
  ASSERT_EQ(dialog.list()->currentRow(), 1);
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
  CEditList dialog(items.join(';'), ";", boxes);
  testing::ShowActive(dialog);
  dialog.list()->viewport()->repaint();
  EXPECT_EQ(dialog.list()->rowAt(0), 0);
  EXPECT_EQ(dialog.list()->currentRow(), -1);
  dialog.delButton()->click();
  EXPECT_EQ(Column(dialog, 1), items);
}

TEST_F(EditListFixture, DelAfterTheLastRowDeletesNothingUntilARowIsSelected) {
  CEditList dialog("a;b;c", ";", boxes);
  testing::ShowActive(dialog);
  CComboListCtrl* list = dialog.list();
  list->viewport()->repaint();
  ASSERT_EQ(list->currentRow(), 2);  // the selected last row is shown
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
  CEditList dialog("a;", ";", boxes);
  testing::ShowActive(dialog);
  dialog.addButton()->setFocus();
  QTest::keyClick(dialog.addButton(), Qt::Key_Return);
  EXPECT_EQ(dialog.list()->rowCount(), 2);
  EXPECT_TRUE(dialog.isVisible());
  dialog.list()->setFocus();
  QTest::keyClick(dialog.list(), Qt::Key_Return);
  EXPECT_EQ(dialog.result(), QString("a;;"));
}

TEST_F(EditListFixture, EditedItemIsJoinedOnOk) {
  CEditList dialog("a||b", "||", boxes);
  testing::ShowActive(dialog);
  CComboListCtrl* list = dialog.list();
  const QRect cell = list->visualRect(list->model()->index(0, 1));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
  QWidget* editor = list->activeEditor();
  ASSERT_NE(editor, nullptr);
  QTest::keyClicks(editor, "x");
  QTest::keyClick(editor, Qt::Key_Return);
  EXPECT_TRUE(dialog.isVisible());  // Enter in the editor does not press OK
  dialog.okButton()->click();
  EXPECT_EQ(dialog.result(), QString("x||b||"));
}

TEST_F(EditListFixture, ResultLongerThanTheLimitIsRefusedAndTheDialogStays) {
  const QString item(600, 'a');
  CEditList dialog(item + ";" + item, ";", boxes);
  dialog.okButton()->click();
  EXPECT_FALSE(dialog.result().has_value());
  EXPECT_EQ(dialog.QDialog::result(), 0);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0], "Edit List: The list is too long.");
  dialog.delButton()->click();
}

TEST_F(EditListFixture, ResultOfExactlyTheLimitIsKept) {
  CEditList dialog("a;b", ";", boxes, nullptr, 4);
  dialog.okButton()->click();
  EXPECT_EQ(dialog.result(), QString("a;b;"));
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(EditListFixture, WithoutSeparatorTheListIsEmptyAndOkGivesNothing) {
  CEditList dialog("a;b", "", boxes);
  EXPECT_EQ(dialog.list()->rowCount(), 0);
  dialog.okButton()->click();
  EXPECT_FALSE(dialog.result().has_value());
}

}  // namespace
}  // namespace trel
