#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "app/control_template.h"
#include "app/screen_types.h"
#include "tables/command_input.h"

namespace trel {

class ListView;

// What the operator did in the main window, as its renderer reports it to the window's logic.
class WindowEvents {
 public:
  virtual ~WindowEvents() = default;
  // A button was pressed or a check box clicked.
  virtual void onCommand(int controlId) = 0;
  // The operator changed the text of an edit box (typing, pasting, dropping; never the program).
  virtual void onTextChanged(int controlId) = 0;
  // Before onTextChanged: what of the change just made the box must take back, if anything.
  virtual std::optional<RefusedInput> onTextEdited(int controlId, std::u16string_view before,
                                                   std::u16string_view after) = 0;
  // Escape outside every editor.
  virtual void onEscape() = 0;
  // The close box; true when the window may close.
  virtual bool onCloseRequested() = 0;
  virtual void onResized(ScreenSize client) = 0;
  virtual void onTimer(int timerId) = 0;
};

// Where the renderer's window stands: its screen's free area and the fonts it may use.
struct ScreenMetrics {
  ScreenRect available;          // the screen's area without panels, in logical pixels
  double fontPointSize = 0;      // the desktop's font for dialogs
  double smallestPointSize = 0;  // the desktop's smallest readable font
};

// The main window as the logic sees it: controls by their ids, made from the template by the
// renderer, and the few services of a window (its size and place, focus, timers, the UI thread).
// Every call but post() is made on the UI thread.
class WindowScreen {
 public:
  // The window itself as the holder of the keyboard focus; kNoControl: none of the window's.
  static constexpr int kWindow = 0;
  static constexpr int kNoControl = -1;

  virtual ~WindowScreen() = default;

  virtual void setEvents(WindowEvents* events) = 0;
  virtual ScreenMetrics metrics() const = 0;
  virtual DialogBaseUnits baseUnitsAt(double pointSize) const = 0;
  virtual int rowHeightAt(double pointSize) const = 0;
  // Makes the controls of the template, placed in pixels from dialog units with the font of that
  // size; the window gets the caption.
  virtual void createControls(const DialogTemplate& design, double pointSize,
                              std::u16string_view caption) = 0;
  virtual std::u16string caption() const = 0;

  virtual std::u16string text(int id) const = 0;
  // Sets the text as the program does: no onTextChanged follows.
  virtual void setText(int id, std::u16string_view text) = 0;
  virtual bool isEnabled(int id) const = 0;
  virtual void setEnabled(int id, bool enabled) = 0;
  virtual bool isVisible(int id) const = 0;
  virtual void setVisible(int id, bool visible) = 0;
  virtual bool isChecked(int id) const = 0;
  virtual void setChecked(int id, bool checked) = 0;
  virtual void setReadOnly(int id, bool readOnly) = 0;
  // The most characters the operator can type into an edit box; a longer text set is kept whole.
  virtual void setTextLimit(int id, int limit) = 0;
  // Selectors: entries, and the selected one (-1 none). text() of an editable selector is its
  // edit field.
  virtual int entryCount(int id) const = 0;
  virtual std::u16string entryText(int id, int index) const = 0;
  virtual void insertEntry(int id, int index, std::u16string_view text) = 0;
  virtual int selection(int id) const = 0;
  virtual void select(int id, int index) = 0;
  // A progress bar's range is 0 to 100.
  virtual void setProgress(int id, int position) = 0;
  virtual int progress(int id) const = 0;
  virtual ListView& listView(int id) = 0;

  // Places in the client area.
  virtual ScreenRect place(int id) const = 0;
  virtual void setPlace(int id, const ScreenRect& place) = 0;
  virtual ScreenSize clientSize() const = 0;
  virtual void setClientSize(ScreenSize size, ScreenSize minimum) = 0;
  // Moves the window so that its frame's top left corner is at the point of the screen.
  virtual void moveFrameTo(int x, int y) = 0;

  // The control with the keyboard focus, kWindow or kNoControl.
  virtual int focusedControl() const = 0;
  virtual void setFocus(int id) = 0;

  // Timers: onTimer(id) after each `milliseconds` until stopped.
  virtual void startTimer(int id, int milliseconds) = 0;
  virtual void stopTimer(int id) = 0;
  // Runs the task later on the UI thread; may be called from any thread, never blocks.
  virtual void post(std::function<void()> task) = 0;
  virtual bool onUiThread() const = 0;

  // Ends the window's modal run; brings it to the front where the desktop allows it.
  virtual void closeWindow() = 0;
  virtual void bringToFront() = 0;
};

}  // namespace trel
