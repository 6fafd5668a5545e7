#pragma once

#include <QString>

#include "widgets/list_owner.h"

class QFocusEvent;
class QKeyEvent;
class QWidget;

namespace trel {

// What both in-place editors know of the edit they run: the cell, whether Escape cancelled it, and
// the cell's text when it began (given back on cancel, so the cell keeps its own text).
struct InPlaceEditState {
  int row = -1;
  int column = -1;
  bool cancelled = false;
  QString startText;

  CellEdit result(const QString& editorText) const {
    return CellEdit{row, column, cancelled ? startText : editorText};
  }
};

// Enter and Escape end an edit by giving the focus back to the list (Escape first marks it
// cancelled). Returns true when the key was one of them; the caller then swallows it, so it never
// reaches the dialog (no default button, no closing).
bool HandleEditEndKey(QKeyEvent* event, InPlaceEditState& state, QWidget* list);

// Whether a focus loss ends the edit. A context menu or the combo's own drop-down takes the focus
// only for a moment and does not end it.
bool FocusLossEndsEdit(const QFocusEvent* event);

}  // namespace trel
