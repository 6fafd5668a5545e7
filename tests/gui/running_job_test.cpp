#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <vector>

#include "main_window_fixture.h"
#include "qt/command_text_box.h"
#include "qt/qt_list_view.h"
#include "qt/qt_operator_dialogs.h"

namespace trel {
namespace {

using testing::WaitUntil;

constexpr int kLimitMs = 10000;

// Keys and clicks that meet a running update: the job is held at its port open until the test lets
// it go on (the open then fails and the job ends with its error box).
class RunningJobTest : public testing::MainWindowFixture {
 protected:
  void SetUp() override {
    writeWorkingCopy(testing::kParamList);
    writeSettings("[INI]\r\nIniFile=" + (folder / "params.ini").string() + "\r\n");
    link.holdOpens = true;
    ASSERT_TRUE(open());
    controls().portSelector->setEditText("ttyusb7");
    controls().start->setFocus();
    press(Qt::Key_Return);
    ASSERT_TRUE(WaitUntil([&] { return link.opening(); }, kLimitMs));
  }

  // Keys go where the operator's keys go: to the focused control, else to the window.
  void press(Qt::Key key) {
    QWidget* focused = QApplication::focusWidget();
    QTest::keyClick(focused != nullptr ? focused : &window(), key);
  }

  // A close that failed to end the update must not leave the held port open for ever.
  void TearDown() override { link.letOpenGo(); }

  void letTheJobEnd() {
    link.letOpenGo();
    ASSERT_TRUE(WaitUntil([&] { return controls().start->isEnabled(); }, kLimitMs));
  }
};

TEST_F(RunningJobTest, StrayKeysLeaveTheUpdateAloneAndStartGetsTheFocusBack) {
  EXPECT_TRUE(controls().start->isDefault());
  EXPECT_FALSE(controls().exit->isDefault());
  for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Space, Qt::Key_Escape}) {
    press(key);
  }
  EXPECT_TRUE(window().isVisible());
  EXPECT_TRUE(logic().updates().jobRunning());
  letTheJobEnd();
  EXPECT_EQ(QApplication::focusWidget(), controls().start);
  EXPECT_FALSE(controls().exit->isDefault());

  press(Qt::Key_Return);  // Start once more, not Exit
  ASSERT_TRUE(WaitUntil([&] { return link.opening(); }, kLimitMs));
  controls().iniPath->setFocus();
  press(Qt::Key_Escape);
  EXPECT_TRUE(window().isVisible());
  letTheJobEnd();
  press(Qt::Key_Escape);  // without an update Escape closes, as before
  EXPECT_FALSE(window().isVisible());
  EXPECT_TRUE(dialogs.questions.isEmpty());
}

TEST_F(RunningJobTest, ExitAndTheCloseBoxAskFirstAndOnlyYesEndsTheUpdateAndCloses) {
  const QString question = "Printer Parameter Update: An update is running. Stop it and close?";
  QTest::mouseClick(controls().exit, Qt::LeftButton);  // answered No
  window().close();                                    // the close box, answered No
  EXPECT_EQ(dialogs.questions, (QStringList{question, question}));
  EXPECT_TRUE(window().isVisible());
  EXPECT_EQ(link.closeCount(), 0);
  dialogs.yesNoAnswers.push_back(true);
  QTest::mouseClick(controls().exit, Qt::LeftButton);
  EXPECT_FALSE(window().isVisible());
  EXPECT_TRUE(WaitUntil([&] { return !logic().updates().jobRunning(); }, kLimitMs));
}

TEST_F(RunningJobTest, ClosingTheWindowAnsweredYesClosesThePortAtOnce) {
  dialogs.yesNoAnswers.push_back(true);
  window().close();
  EXPECT_GE(link.closeCount(), 1);  // the held open ends only because the port was closed
  EXPECT_FALSE(window().isVisible());
  EXPECT_TRUE(WaitUntil([&] { return !logic().updates().jobRunning(); }, kLimitMs));
}

// What the printer gets is what the table showed at Start: nothing in it can be edited until the
// update ends.
TEST_F(RunningJobTest, TheTableCannotBeEditedUntilTheUpdateEnds) {
  QtListView* table = controls().table;
  const auto clickCell = [&](int row, int column) {
    const QRect cell = table->visualRect(table->model()->index(row, column));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                      column == 0 ? cell.topLeft() + QPoint(8, 8) : cell.center());
    table->viewport()->repaint();
  };
  // An edit in place of row 1 (which has a split symbol) and a click on row 0's check box.
  const auto tryEditing = [&] {
    clickCell(1, 3);
    const bool editorOpened = table->activeEditor() != nullptr;
    if (editorOpened) {
      QTest::keyClick(table->activeEditor(), Qt::Key_Return);
    }
    clickCell(0, 0);
    return std::vector<bool>{editorOpened,
                             !table->isChecked(0),
                             !controls().commandText->isReadOnly(),
                             controls().save->isEnabled(),
                             controls().editCommand->isEnabled(),
                             controls().change->isEnabled()};
  };
  EXPECT_EQ(tryEditing(), (std::vector<bool>{false, false, false, false, false, false}));
  letTheJobEnd();
  EXPECT_EQ(tryEditing(), (std::vector<bool>{true, true, true, true, true, false}));
}

TEST(QuestionBoxTest, NoIsTheDefaultAnswer) {
  testing::EnsureApplication();
  QtOperatorDialogs dialogs(nullptr);
  bool noIsDefault = false;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    noIsDefault = box->defaultButton() == box->button(QMessageBox::No);
    QTest::keyClick(box, Qt::Key_Return);
  });
  EXPECT_FALSE(dialogs.askYesNo(u"Stop it?", u"Caption"));
  EXPECT_TRUE(noIsDefault);
}

}  // namespace
}  // namespace trel
