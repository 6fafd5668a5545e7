#include "app/combo_list_ctrl.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "gui_test_support.h"
#include "qt/qt_list_view.h"

namespace trel {
namespace {

using testing::RecordingOwner;

constexpr int kTableId = 1009;

// The parameter table as the main window sets it up, its rules drawn by the Qt list control, in a
// dialog with a default button and a further control after it in the tab order.
class ListFixture : public testing::GuiTest {
 protected:
  void SetUp() override {
    dialog.resize(500, 300);
    list = new QtListView(&dialog);
    list->setGeometry(10, 10, 400, 200);
    rules = std::make_unique<CComboListCtrl>(kTableId, *list);
    rules->setCheckBoxes(true);
    for (const auto& [heading, share] : std::vector<std::pair<QString, int>>{{"ID", 2},
                                                                             {"CommandName", 7},
                                                                             {"DataMode", 3},
                                                                             {"CommandStr", 17},
                                                                             {"Split symbol", 3}}) {
      rules->addColumn(heading.toStdU16String(), share, 30);
    }
    for (const int column : {0, 1, 2, 4}) {
      rules->AddReadOnlyColumn(column);
    }
    rules->AddComboColumn(5);
    rules->setOwner(&owner);
    defaultButton = new QPushButton("Start", &dialog);
    defaultButton->setGeometry(420, 10, 70, 24);
    defaultButton->setDefault(true);
    nextControl = new QLineEdit(&dialog);
    nextControl->setGeometry(10, 220, 200, 24);
    QWidget::setTabOrder(list, nextControl);
    for (int row = 0; row < 3; ++row) {
      addRow(QString::number(row + 1), QStringLiteral("command %1").arg(row + 1));
    }
    testing::ShowActive(dialog);
  }

  void addRow(const QString& id, const QString& command) {
    const int row = rules->appendRow();
    list->setItemText(row, 0, id);
    list->setItemText(row, 1, "name " + id);
    list->setItemText(row, 3, command);
  }

  QPoint cellCentre(int row, int column) const {
    return list->visualRect(list->model()->index(row, column)).center();
  }

  void click(int row, int column, Qt::KeyboardModifiers modifiers = {}) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, cellCentre(row, column));
  }

  QLineEdit* openEditor(int row) {
    click(row, 3);
    return qobject_cast<QLineEdit*>(list->activeEditor());
  }

  // Waits until the editor that ended has gone, as it does once the event loop runs.
  void settle() { QApplication::processEvents(); }

  RecordingOwner owner;  // outlives the dialog and its list
  QDialog dialog;
  QtListView* list = nullptr;
  std::unique_ptr<CComboListCtrl> rules;  // goes before the list it draws on
  QPushButton* defaultButton = nullptr;
  QLineEdit* nextControl = nullptr;
};

TEST_F(ListFixture, ClickOnCommandCellOpensEditorOverExactlyThatCellWithTextSelected) {
  QLineEdit* editor = openEditor(1);
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->geometry(), list->visualRect(list->model()->index(1, 3)));
  EXPECT_EQ(editor->text(), "command 2");
  EXPECT_EQ(editor->selectedText(), "command 2");
  EXPECT_TRUE(editor->hasFocus());
}

TEST_F(ListFixture, ClickOnReadOnlyColumnOnlySelectsTheRow) {
  for (const int column : {0, 1, 2, 4}) {
    list->scrollTo(list->model()->index(0, column));
    // Right of the check box, which takes a click for itself.
    const QRect cell = list->visualRect(list->model()->index(0, column));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      QPoint(cell.right() - 3, cell.center().y()));
    EXPECT_EQ(list->activeEditor(), nullptr) << "column " << column;
    EXPECT_EQ(list->currentIndex().row(), 0) << "column " << column;
  }
}

TEST_F(ListFixture, ShiftOrControlClickOpensNoEditor) {
  click(0, 3, Qt::ShiftModifier);
  EXPECT_EQ(list->activeEditor(), nullptr);
  click(1, 3, Qt::ControlModifier);
  EXPECT_EQ(list->activeEditor(), nullptr);
}

TEST_F(ListFixture, ClickOutsideEveryCellChangesNeitherSelectionNorFocus) {
  nextControl->setFocus();
  const int selected = list->currentIndex().row();
  const QPoint belowRows(20, list->viewport()->height() - 5);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, belowRows);
  EXPECT_EQ(list->currentIndex().row(), selected);
  EXPECT_TRUE(nextControl->hasFocus());
}

TEST_F(ListFixture, EnterCommitsIntoTheCellAndStaysInTheDialog) {
  QSignalSpy pressed(defaultButton, &QPushButton::clicked);
  QLineEdit* editor = openEditor(0);
  ASSERT_NE(editor, nullptr);
  QTest::keyClicks(editor, "new text");
  QTest::keyClick(editor, Qt::Key_Return);
  settle();
  EXPECT_EQ(list->itemText(0, 3), "new text");
  EXPECT_EQ(list->activeEditor(), nullptr);
  EXPECT_TRUE(list->hasFocus());
  EXPECT_EQ(pressed.count(), 0);
  EXPECT_TRUE(dialog.isVisible());
  ASSERT_EQ(owner.edits.size(), 1u);
  EXPECT_EQ(owner.edits[0]->row, 0);
  EXPECT_EQ(owner.edits[0]->column, 3);
  EXPECT_EQ(owner.edits[0]->text, "new text");
}

TEST_F(ListFixture, EscapeRestoresTheStartTextButStillReportsAnEdit) {
  QLineEdit* editor = openEditor(2);
  ASSERT_NE(editor, nullptr);
  QTest::keyClicks(editor, "thrown away");
  QTest::keyClick(editor, Qt::Key_Escape);
  settle();
  EXPECT_EQ(list->itemText(2, 3), "command 3");
  EXPECT_TRUE(dialog.isVisible());
  ASSERT_EQ(owner.edits.size(), 1u);
  EXPECT_EQ(owner.edits[0]->text, "command 3");
}

TEST_F(ListFixture, TabCommitsAndMovesToTheNextControl) {
  QLineEdit* editor = openEditor(1);
  ASSERT_NE(editor, nullptr);
  QTest::keyClicks(editor, "tabbed");
  QTest::keyClick(editor, Qt::Key_Tab);
  settle();
  EXPECT_EQ(list->itemText(1, 3), "tabbed");
  EXPECT_TRUE(nextControl->hasFocus());
}

TEST_F(ListFixture, ClickOnAnotherCellCommitsFirstAndOpensTheNext) {
  QLineEdit* first = openEditor(0);
  ASSERT_NE(first, nullptr);
  QTest::keyClicks(first, "first");
  QLineEdit* second = openEditor(2);
  ASSERT_NE(second, nullptr);
  EXPECT_NE(second, first);
  EXPECT_EQ(list->itemText(0, 3), "first");
  EXPECT_EQ(second->text(), "command 3");
  ASSERT_EQ(owner.edits.size(), 1u);
}

TEST_F(ListFixture, FocusLeavingTheEditorCommits) {
  QLineEdit* editor = openEditor(0);
  ASSERT_NE(editor, nullptr);
  QTest::keyClicks(editor, "kept");
  nextControl->setFocus(Qt::MouseFocusReason);
  settle();
  EXPECT_EQ(list->itemText(0, 3), "kept");
  EXPECT_EQ(list->activeEditor(), nullptr);
}

TEST_F(ListFixture, ScrollingWithTheScrollBarCommitsBeforeScrolling) {
  for (int row = 3; row < 40; ++row) {
    addRow(QString::number(row + 1), "more");
  }
  list->scrollToTop();
  QLineEdit* editor = openEditor(0);
  ASSERT_NE(editor, nullptr);
  QTest::keyClicks(editor, "before scroll");
  list->verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
  settle();
  EXPECT_EQ(list->itemText(0, 3), "before scroll");
  EXPECT_EQ(list->activeEditor(), nullptr);
  EXPECT_GT(list->verticalScrollBar()->value(), 0);
}

TEST_F(ListFixture, CellBeyondTheRightEdgeScrollsJustIntoView) {
  list->setColumnWidth(3, 360);
  settle();
  const int right = list->viewport()->width();
  ASSERT_GT(list->columnViewportPosition(3) + list->columnWidth(3), right);
  QLineEdit* editor = openEditor(0);
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(list->columnViewportPosition(3) + list->columnWidth(3), right);
  EXPECT_EQ(editor->geometry(), list->visualRect(list->model()->index(0, 3)));
}

TEST_F(ListFixture, CellLeftOfTheViewScrollsToTheLeftEdge) {
  list->setColumnWidth(4, 400);
  settle();
  list->horizontalScrollBar()->setValue(list->columnViewportPosition(3) + 50);
  ASSERT_LT(list->columnViewportPosition(3), 0);
  ASSERT_GT(list->columnViewportPosition(3) + list->columnWidth(3), 0);
  // Click on the visible right part of the cell.
  const QPoint visiblePart(list->columnViewportPosition(3) + list->columnWidth(3) - 3,
                           cellCentre(0, 3).y());
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, visiblePart);
  ASSERT_NE(list->activeEditor(), nullptr);
  EXPECT_EQ(list->columnViewportPosition(3), 0);
}

TEST_F(ListFixture, TypingIsLimitedButALongerCellTextIsNeverCut) {
  QLineEdit* editor = openEditor(0);
  ASSERT_NE(editor, nullptr);
  editor->clear();
  const QString full(CComboListCtrl::kDefaultTextLimit, 'x');
  editor->insert(full);
  QTest::keyClick(editor, Qt::Key_Y);
  EXPECT_EQ(editor->text(), full);
  QTest::keyClick(editor, Qt::Key_Return);
  settle();

  const QString longer(1500, 'z');
  list->setItemText(1, 3, longer);
  QLineEdit* second = openEditor(1);
  ASSERT_NE(second, nullptr);
  QTest::keyClick(second, Qt::Key_Return);
  settle();
  EXPECT_EQ(list->itemText(1, 3), longer);
}

TEST_F(ListFixture, AllowedCharactersFilterTypingButNotEditingKeysOrPaste) {
  rules->setAllowedChars(3, u"0123456789");
  QLineEdit* editor = openEditor(0);
  ASSERT_NE(editor, nullptr);
  editor->clear();
  QTest::keyClicks(editor, "1a2");
  EXPECT_EQ(editor->text(), "12");
  QTest::keyClick(editor, Qt::Key_Backspace);
  EXPECT_EQ(editor->text(), "1");
  QApplication::clipboard()->setText("ab");
  QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(editor->text(), "1ab");
}

TEST_F(ListFixture, CheckBoxToggleReportsAnEditOnlyWhenAsked) {
  const QPoint box = list->visualRect(list->model()->index(0, 0)).topLeft() + QPoint(8, 8);
  list->setChecked(0, false);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, box);
  EXPECT_TRUE(list->isChecked(0));
  EXPECT_TRUE(owner.edits.empty());
  EXPECT_EQ(list->activeEditor(), nullptr);

  rules->setNotifyCheckToggle(true);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, box);
  EXPECT_FALSE(list->isChecked(0));
  ASSERT_EQ(owner.edits.size(), 1u);
  EXPECT_FALSE(owner.edits[0].has_value());
}

TEST_F(ListFixture, DoubleClickOnADividerNeverResizesAColumn) {
  QHeaderView* header = list->horizontalHeader();
  const int width = header->sectionSize(1);
  const QPoint divider(header->sectionViewportPosition(1) + width - 1, header->height() / 2);
  QTest::mouseDClick(header->viewport(), Qt::LeftButton, {}, divider);
  EXPECT_EQ(header->sectionSize(1), width);
}

TEST_F(ListFixture, SelectedRowIsReportedOnceWhenFirstPainted) {
  list->viewport()->repaint();
  ASSERT_EQ(owner.selectedRows, std::vector<int>{2});  // the last row added is selected
  list->viewport()->repaint();
  EXPECT_EQ(owner.selectedRows.size(), 1u);
  EXPECT_EQ(rules->currentRow(), 2);

  click(0, 1);
  list->viewport()->repaint();
  EXPECT_EQ(owner.selectedRows, (std::vector<int>{2, 0}));
  EXPECT_EQ(rules->currentRow(), 0);
}

// A new list is loaded into the table: the old current row names nothing of it, and its selected
// (last) row counts only once it is shown. The view stays at the top.
TEST_F(ListFixture, AfterALoadNoRowIsCurrentUntilTheSelectedRowIsShown) {
  list->viewport()->repaint();
  ASSERT_EQ(rules->currentRow(), 2);
  rules->removeAllRows();
  EXPECT_EQ(rules->currentRow(), -1);
  for (int row = 0; row < 60; ++row) {
    addRow(QString::number(row + 1), "row");
  }
  list->viewport()->repaint();
  EXPECT_EQ(list->verticalScrollBar()->value(), 0);
  EXPECT_EQ(rules->currentRow(), -1);
  EXPECT_EQ(list->currentIndex().row(), 59);
  list->scrollToBottom();
  list->viewport()->repaint();
  EXPECT_EQ(rules->currentRow(), 59);
}

TEST_F(ListFixture, SelectedRowIsPaintedWhiteOnBlue) {
  list->viewport()->repaint();
  const QImage image = list->viewport()->grab().toImage();
  const QRect row = list->visualRect(list->model()->index(2, 1));
  EXPECT_EQ(image.pixelColor(row.right() - 2, row.center().y()), QColor(49, 106, 197));
  const QRect other = list->visualRect(list->model()->index(0, 1));
  EXPECT_EQ(image.pixelColor(other.right() - 2, other.center().y()), QColor(Qt::white));
}

TEST_F(ListFixture, ComboColumnAsksTheOwnerAndCommitsTheChosenEntry) {
  list->setColumnWidth(2, 80);
  rules->AddComboColumn(2);
  owner.choices = {"HEX", "ASCII", "UTF8"};
  list->setItemText(0, 2, "ascii");
  click(0, 2);
  auto* combo = qobject_cast<QtInPlaceCombo*>(list->activeEditor());
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(owner.choiceRequests, std::vector<int>{2});
  EXPECT_EQ(combo->currentText(), "ASCII");  // case-insensitive prefix match of the cell text
  combo->setCurrentIndex(2);
  QTest::keyClick(combo, Qt::Key_Return);
  settle();
  EXPECT_EQ(list->itemText(0, 2), "UTF8");
}

TEST_F(ListFixture, ComboClosedWithoutSelectionWritesEmptyAndEscapeRestores) {
  list->setColumnWidth(2, 80);
  rules->AddComboColumn(2);
  owner.choices = {"HEX", "ASCII"};
  list->setItemText(0, 2, "none of them");
  click(0, 2);
  auto* combo = qobject_cast<QtInPlaceCombo*>(list->activeEditor());
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(combo->currentIndex(), -1);
  combo->hidePopup();
  settle();
  EXPECT_EQ(list->itemText(0, 2), "");

  list->setItemText(1, 2, "HEX");
  click(1, 2);
  combo = qobject_cast<QtInPlaceCombo*>(list->activeEditor());
  ASSERT_NE(combo, nullptr);
  combo->setCurrentIndex(1);
  QTest::keyClick(combo, Qt::Key_Escape);
  settle();
  EXPECT_EQ(list->itemText(1, 2), "HEX");
  EXPECT_TRUE(dialog.isVisible());
}

TEST_F(ListFixture, DestroyingTheListWhileEditingReportsNothingLater) {
  ASSERT_NE(openEditor(0), nullptr);
  rules.reset();
  delete list;
  list = nullptr;
  settle();
  EXPECT_TRUE(owner.edits.empty());
}

}  // namespace
}  // namespace trel
