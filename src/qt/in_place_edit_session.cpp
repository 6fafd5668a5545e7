#include "qt/in_place_edit_session.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QWidget>

namespace trel {

bool InPlaceEditSession::handleEndKey(QKeyEvent* event) {
  const int key = event->key();
  if (key != Qt::Key_Escape && key != Qt::Key_Return && key != Qt::Key_Enter) {
    return false;
  }
  if (key == Qt::Key_Escape) {
    state_.cancelled = true;
  }
  event->accept();
  returnFocusToList(Qt::OtherFocusReason);
  return true;
}

void InPlaceEditSession::returnFocusToList(Qt::FocusReason reason) {
  list_->setFocus(reason);
}

bool InPlaceEditSession::FocusLossEndsEdit(const QFocusEvent* event) {
  return event->reason() != Qt::PopupFocusReason;
}

std::optional<EditorResult> InPlaceEditSession::end(QWidget* editor, const QString& editorText) {
  if (ended_) {
    return std::nullopt;
  }
  ended_ = true;
  editor->hide();
  return EditorResult{state_.row, state_.column, editorText, state_.cancelled};
}

}  // namespace trel
