#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "app/task_queue.h"
#include "app/window_screen.h"

namespace trel {

class Win32ListView;

// The main window drawn with Win32's own controls: a dialog made in memory from the window's
// template, with the dialog manager's keyboard handling (the default button, Tab, Escape),
// reporting what the operator does to the window's logic (CquilUpdateDlg) and doing what it asks.
class Win32MainWindow : public WindowScreen {
 public:
  Win32MainWindow();
  ~Win32MainWindow() override;
  Win32MainWindow(const Win32MainWindow&) = delete;
  Win32MainWindow& operator=(const Win32MainWindow&) = delete;

  HWND window() const { return dialog_; }
  HWND control(int id) const { return ::GetDlgItem(dialog_, id); }
  Win32ListView& table() const { return *table_; }
  bool closed() const { return closed_; }
  // Shows the window and handles its messages until it is closed.
  void runModal();
  // Handles one message of the thread's queue as the window's loop does: Escape and Enter of the
  // command box first, then the dialog manager's keys; false when the queue was empty.
  bool handleNextMessage();

  // WindowScreen
  void setEvents(WindowEvents* events) override { events_ = events; }
  ScreenMetrics metrics() const override;
  DialogBaseUnits baseUnitsAt(double pointSize) const override;
  int rowHeightAt(double pointSize) const override;
  void createControls(const DialogTemplate& design, double pointSize,
                      std::u16string_view caption) override;
  std::u16string caption() const override;
  std::u16string text(int id) const override;
  void setText(int id, std::u16string_view text) override;
  bool isEnabled(int id) const override;
  void setEnabled(int id, bool enabled) override;
  bool isVisible(int id) const override;
  void setVisible(int id, bool visible) override;
  bool isChecked(int id) const override;
  void setChecked(int id, bool checked) override;
  void setReadOnly(int id, bool readOnly) override;
  void setTextLimit(int id, int limit) override;
  int entryCount(int id) const override;
  std::u16string entryText(int id, int index) const override;
  void insertEntry(int id, int index, std::u16string_view text) override;
  int selection(int id) const override;
  void select(int id, int index) override;
  void setProgress(int id, int position) override;
  int progress(int id) const override;
  ListView& listView(int id) override;
  ScreenRect place(int id) const override;
  void setPlace(int id, const ScreenRect& place) override;
  ScreenSize clientSize() const override;
  void setClientSize(ScreenSize size, ScreenSize minimum) override;
  void moveFrameTo(int x, int y) override;
  int focusedControl() const override;
  void setFocus(int id) override;
  void startTimer(int id, int milliseconds) override;
  void stopTimer(int id) override;
  void post(std::function<void()> task) override;
  bool onUiThread() const override;
  void closeWindow() override;
  void bringToFront() override;

 private:
  static INT_PTR CALLBACK DialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void onCommand(WORD id, WORD code, HWND from);
  void onCommandBoxChanged();
  void fitCaption(HWND label);
  bool preTranslate(const MSG& message);

  HWND dialog_ = nullptr;
  DWORD uiThread_;
  WindowEvents* events_ = nullptr;
  std::unique_ptr<Win32ListView> table_;
  std::u16string commandBoxText_;  // the command box before the operator's change
  bool settingText_ = false;       // the program sets a text: no typing
  bool closed_ = false;
  ScreenSize minimumClient_;
  std::vector<HFONT> captionFonts_;
  TaskQueue tasks_;
};

}  // namespace trel
