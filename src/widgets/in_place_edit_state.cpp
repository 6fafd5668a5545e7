#include "widgets/in_place_edit_state.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QWidget>

namespace trel {

bool HandleEditEndKey(QKeyEvent* event, InPlaceEditState& state, QWidget* list) {
  const int key = event->key();
  if (key != Qt::Key_Escape && key != Qt::Key_Return && key != Qt::Key_Enter) {
    return false;
  }
  if (key == Qt::Key_Escape) {
    state.cancelled = true;
  }
  event->accept();
  list->setFocus(Qt::OtherFocusReason);
  return true;
}

bool FocusLossEndsEdit(const QFocusEvent* event) {
  return event->reason() != Qt::PopupFocusReason;
}

}  // namespace trel
