#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "app/edit_list.h"
#include "app/list_view.h"
#include "app/operator_dialogs.h"
#include "app/task_queue.h"
#include "app/window_screen.h"

namespace trel::testing {

// A list control held in memory: rows of cells with a check box, one selected row, the editor the
// rules opened. The operator's doing comes from the test through the events the rules listen to.
class FakeListView : public ListView {
 public:
  void setEvents(ListViewEvents* events) override { events_ = events; }
  void setCheckBoxes(bool) override {}
  void addColumn(std::u16string_view, int, int) override { ++columns_; }
  int columnCount() const override { return columns_; }
  int columnWidth(int) const override { return 100; }
  void removeRow(int row) override;
  void clearSelection() override { selected_ = -1; }
  void scrollToRow(int) override {}
  void openEditBox(int row, int column, std::u16string_view text, std::u16string_view,
                   int) override {
    editor_ = {row, column, std::u16string(text)};
  }
  bool openDropDown(int, int, const std::vector<std::u16string>&, std::u16string_view) override {
    return false;
  }
  void endOpenEdit() override;
  bool editorOpen() const override { return editor_.has_value(); }

  int rowCount() const override { return static_cast<int>(rows_.size()); }
  void removeAllRows() override { rows_.clear(); }
  int appendRow() override;
  std::u16string cellText(int row, int column) const override;
  void setCellText(int row, int column, std::u16string_view text) override;
  bool isChecked(int row) const override { return rows_.at(row).checked; }
  void setChecked(int row, bool checked) override { rows_.at(row).checked = checked; }

  // The operator clicks a cell (the row takes selection and focus), and the selected row is shown.
  void click(int row, int column);
  // The list is painted, the selected row with it.
  void paint();
  // Types into the open editor and presses Enter (or Escape).
  void typeIntoEditor(std::u16string_view text, bool escape = false);
  std::vector<std::u16string> column(int column) const;
  int selectedRow() const { return selected_; }

 private:
  struct Row {
    std::vector<std::u16string> cells;
    bool checked = false;
  };
  struct Editor {
    int row;
    int column;
    std::u16string text;
  };
  ListViewEvents* events_ = nullptr;
  int columns_ = 0;
  std::vector<Row> rows_;
  int selected_ = -1;
  std::optional<Editor> editor_;
};

// The main window held in memory: each control of the template is a record of what a renderer
// would show, and the test acts as the operator through the window's events.
class FakeScreen : public WindowScreen {
 public:
  struct Control {
    ControlKind kind = ControlKind::kLabel;
    std::u16string text;
    bool enabled = true;
    bool visible = true;
    bool checked = false;
    bool readOnly = false;
    std::vector<std::u16string> entries;
    int selection = -1;
    int progress = 0;
    ScreenRect place;
  };

  // The screen's free area and fonts, and what a font's base units are at each size.
  ScreenMetrics screenMetrics{{0, 0, 1920, 1040}, 9, 7};
  std::function<DialogBaseUnits(double pointSize)> unitsAt = [](double pointSize) {
    return DialogBaseUnits{static_cast<int>(pointSize * 0.78), static_cast<int>(pointSize * 1.55)};
  };

  void setEvents(WindowEvents* events) override { events_ = events; }
  ScreenMetrics metrics() const override { return screenMetrics; }
  DialogBaseUnits baseUnitsAt(double pointSize) const override { return unitsAt(pointSize); }
  int rowHeightAt(double pointSize) const override { return unitsAt(pointSize).y + 6; }
  void createControls(const DialogTemplate& design, double pointSize,
                      std::u16string_view caption) override;
  std::u16string caption() const override { return caption_; }
  std::u16string text(int id) const override { return controls_.at(id).text; }
  void setText(int id, std::u16string_view text) override { controls_.at(id).text = text; }
  bool isEnabled(int id) const override { return controls_.at(id).enabled; }
  void setEnabled(int id, bool enabled) override { controls_.at(id).enabled = enabled; }
  bool isVisible(int id) const override { return controls_.at(id).visible; }
  void setVisible(int id, bool visible) override { controls_.at(id).visible = visible; }
  bool isChecked(int id) const override { return controls_.at(id).checked; }
  void setChecked(int id, bool checked) override { controls_.at(id).checked = checked; }
  void setReadOnly(int id, bool readOnly) override { controls_.at(id).readOnly = readOnly; }
  void setTextLimit(int, int) override {}
  int entryCount(int id) const override;
  std::u16string entryText(int id, int index) const override;
  void insertEntry(int id, int index, std::u16string_view text) override;
  int selection(int id) const override { return controls_.at(id).selection; }
  void select(int id, int index) override;
  void setProgress(int id, int position) override { controls_.at(id).progress = position; }
  int progress(int id) const override { return controls_.at(id).progress; }
  ListView& listView(int) override { return table; }
  ScreenRect place(int id) const override { return controls_.at(id).place; }
  void setPlace(int id, const ScreenRect& place) override { controls_.at(id).place = place; }
  ScreenSize clientSize() const override { return client; }
  void setClientSize(ScreenSize size, ScreenSize minimum) override;
  void moveFrameTo(int x, int y) override { frameAt = {x, y}; }
  int focusedControl() const override { return focus; }
  void setFocus(int id) override { focus = id; }
  void startTimer(int id, int) override { timers[id] = true; }
  void stopTimer(int id) override { timers[id] = false; }
  // Posted tasks, from any thread, run when the test says so, as the UI thread would run them.
  void post(std::function<void()> task) override;
  bool onUiThread() const override { return true; }
  void closeWindow() override { closed = true; }
  void bringToFront() override {}

  // What the operator does.
  void click(int id);
  void type(int id, std::u16string_view text);
  void runPosted();
  // Waits until a task is posted (from another thread) and runs the tasks; false when the limit
  // ran out first.
  bool runPostedWhenThere(std::chrono::milliseconds limit);
  WindowEvents& events() { return *events_; }
  const Control& control(int id) const { return controls_.at(id); }

  FakeListView table;
  ScreenSize client;
  ScreenSize minimumClient;
  ScreenRect frameAt;
  int focus = kNoControl;
  bool closed = false;
  std::map<int, bool> timers;

 private:
  TaskQueue tasks_;
  std::mutex postedMutex_;
  std::condition_variable taskPosted_;
  int posts_ = 0;  // tasks posted and run, counted under postedMutex_
  int runs_ = 0;
  WindowEvents* events_ = nullptr;
  std::u16string caption_;
  std::map<int, Control> controls_;
};

// The Edit List dialog held in memory.
class FakeEditListScreen : public EditListScreen {
 public:
  ListView& listView() override { return list; }
  void setAddEnabled(bool enabled) override { addEnabled = enabled; }
  void endDialog(bool accepted) override { ended = accepted; }

  FakeListView list;
  bool addEnabled = true;
  std::optional<bool> ended;
};

// Boxes and file dialogs answered from a script; the Edit List run by a test function.
class FakeDialogs : public OperatorDialogs {
 public:
  void showMessage(std::u16string_view text, std::u16string_view caption) override {
    boxes.push_back(std::u16string(caption) + u": " + std::u16string(text));
  }
  std::optional<std::u16string> chooseFile(const FileDialogRequest& request) override;
  bool runEditList(CEditList& list) override;
  bool askYesNo(std::u16string_view text, std::u16string_view caption) override;
  Answer askYesNoCancel(std::u16string_view, std::u16string_view) override { return Answer::kNo; }

  std::vector<std::u16string> boxes;
  std::deque<std::optional<std::u16string>> fileAnswers;  // nothing answers Cancel
  std::vector<FileDialogRequest> fileRequests;
  std::deque<bool> yesNoAnswers;  // none left answers No
  std::vector<std::u16string> questions;
  std::function<void(CEditList&, FakeEditListScreen&)> editList;
};

}  // namespace trel::testing
