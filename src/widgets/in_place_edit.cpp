#include "widgets/in_place_edit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <algorithm>
#include <utility>

namespace trel {

CInPlaceEdit::CInPlaceEdit(QWidget* list, QWidget* parent, InPlaceEditState state,
                           QString allowedChars, int textLimit)
    : QLineEdit(parent), session_(list, std::move(state)), allowedChars_(std::move(allowedChars)) {
  setFrame(false);
  setFont(list->font());
  const QString& startText = session_.state().startText;
  // Limiting below the start text would cut the cell's text on commit; only typing is limited.
  setMaxLength(std::max(textLimit, static_cast<int>(startText.size())));
  setText(startText);
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
  if (session_.handleEndKey(event)) {
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
  session_.returnFocusToList(Qt::TabFocusReason);
  return QLineEdit::focusNextPrevChild(next);
}

void CInPlaceEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  if (InPlaceEditSession::FocusLossEndsEdit(event)) {
    finish();
  }
}

void CInPlaceEdit::finish() {
  if (const auto result = session_.end(this, text())) {
    emit editFinished(*result);
    deleteLater();
  }
}

}  // namespace trel
