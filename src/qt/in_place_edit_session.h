#pragma once

#include <QString>
#include <optional>

class QFocusEvent;
class QKeyEvent;
class QWidget;

namespace trel {

// What an in-place editor knows of the edit it runs: the cell, and whether Escape cancelled it.
struct InPlaceEditState {
  int row = -1;
  int column = -1;
  bool cancelled = false;
};

// What an editor hands back when its edit ends: the cell, its text, and whether it was cancelled
// (the list's rules then put the start text back).
struct EditorResult {
  int row = -1;
  int column = -1;
  QString text;
  bool cancelled = false;
};

// One edit of one cell, as both in-place editors run it: Enter and Escape give the focus back to
// the list, any focus loss but a passing one ends the edit, and the edit ends exactly once.
class InPlaceEditSession {
 public:
  InPlaceEditSession(QWidget* list, InPlaceEditState state) : list_(list), state_(state) {}

  const InPlaceEditState& state() const { return state_; }

  // Enter and Escape (which first marks the edit cancelled) give the focus to the list. True when
  // the key was one of them: the editor swallows it, so it never reaches the dialog (no default
  // button, no closing).
  bool handleEndKey(QKeyEvent* event);
  // The list takes the focus, which ends the edit.
  void returnFocusToList(Qt::FocusReason reason);
  // A context menu or the combo's own drop-down takes the focus only for a moment.
  static bool FocusLossEndsEdit(const QFocusEvent* event);
  // The first call hides the editor and gives the result; later calls give nothing.
  std::optional<EditorResult> end(QWidget* editor, const QString& editorText);

 private:
  QWidget* list_;
  InPlaceEditState state_;
  bool ended_ = false;
};

}  // namespace trel
