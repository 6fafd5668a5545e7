#pragma once

#include <QDialog>
#include <map>

#include "app/window_screen.h"
#include "qt/main_window_controls.h"
#include "qt/ui_thread_queue.h"

class QTimer;

namespace trel {

// The main window drawn with Qt widgets: a dialog whose controls come from the window's template,
// reporting what the operator does to the window's logic (CquilUpdateDlg) and doing what it asks.
class QtMainWindow : public QDialog, public WindowScreen {
  Q_OBJECT

 public:
  explicit QtMainWindow(QWidget* parent = nullptr);
  ~QtMainWindow() override;

  const MainWindowControls& controls() const { return controls_; }
  // The widget's own, beside the screen's by control id.
  using QWidget::isEnabled;
  using QWidget::isVisible;
  using QWidget::setEnabled;
  using QWidget::setFocus;
  using QWidget::setVisible;

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
  void post(std::function<void()> task) override { uiThread_.post(std::move(task)); }
  bool onUiThread() const override;
  void closeWindow() override;
  void bringToFront() override;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  QWidget* control(int id) const { return controls_.byId.at(id); }
  void connectEvents();
  QFont fontAt(double pointSize) const;

  MainWindowControls controls_;
  WindowEvents* events_ = nullptr;
  std::map<int, QTimer*> timers_;
  UiThreadQueue uiThread_;
};

}  // namespace trel
