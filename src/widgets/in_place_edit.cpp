#include "widgets/in_place_edit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <algorithm>
#include <utility>

namespace trel {

CInPlaceEdit::CInPlaceEdit(QWidget* list, QWidget* parent, InPlaceEditState state,
                           QString allowedChars, int textLimit)
    : QLineEdit(parent),
      list_(list),
      state_(std::move(state)),
      allowedChars_(std::move(allowedChars)) {
  setFrame(false);
  setFont(list->font());
  // Limiting below the start text would cut the cell's text on commit; only typing is limited.
  setMaxLength(std::max(textLimit, static_cast<int>(state_.startText.size())));
  setText(state_.startText);
  selectAll();
}

bool CInPlaceEdit::refusesCharacter(const QKeyEvent* event) const {
  if (allowedChars_.isEmpty() || event->text().size() != 1) {
    return false;
  }
  // Shortcuts (copy, cut, paste, ...) and editing keys pass; pasted text is not filtered.
  if (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) {
    return false;
  }
  const QChar typed = event->text().front();
  return typed.isPrint() && !allowedChars_.contains(typed);
}

void CInPlaceEdit::keyPressEvent(QKeyEvent* event) {
  if (HandleEditEndKey(event, state_, list_)) {
    return;
  }
  if (refusesCharacter(event)) {
    QApplication::beep();
    event->accept();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

bool CInPlaceEdit::focusNextPrevChild(bool next) {
  list_->setFocus(Qt::TabFocusReason);
  return QLineEdit::focusNextPrevChild(next);
}

void CInPlaceEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  if (FocusLossEndsEdit(event)) {
    finish();
  }
}

void CInPlaceEdit::finish() {
  if (finished_) {
    return;
  }
  finished_ = true;
  hide();
  emit editFinished(state_.result(text()));
  deleteLater();
}

}  // namespace trel
