#include "qt/in_place_edit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <algorithm>
#include <utility>

namespace trel {

QtInPlaceEdit::QtInPlaceEdit(QWidget* list, QWidget* parent, InPlaceEditState state,
                             const QString& startText, QString allowedChars, int textLimit,
                             InputCheck checkInput)
    : QLineEdit(parent),
      session_(list, state),
      allowedChars_(std::move(allowedChars)),
      checkInput_(std::move(checkInput)),
      accepted_(startText) {
  setFrame(false);
  setFont(list->font());
  // Limiting below the start text would cut the cell's text on commit; only typing is limited.
  setMaxLength(std::max(textLimit, static_cast<int>(startText.size())));
  setText(startText);
  selectAll();
  connect(this, &QLineEdit::textEdited, this, &QtInPlaceEdit::keepWhatTheCellTakes);
}

// Typing, pasting and dropping all come here, after the change.
void QtInPlaceEdit::keepWhatTheCellTakes(const QString& edited) {
  const std::optional<RefusedInput> refused =
      checkInput_ ? checkInput_(accepted_.toStdU16String(), edited.toStdU16String()) : std::nullopt;
  if (refused) {
    setSelection(static_cast<int>(refused->start), static_cast<int>(refused->length));
    insert(QString::fromStdU16String(refused->kept));
  }
  accepted_ = text();
}

bool QtInPlaceEdit::refusesCharacter(const QKeyEvent* event) const {
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

void QtInPlaceEdit::keyPressEvent(QKeyEvent* event) {
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

bool QtInPlaceEdit::focusNextPrevChild(bool next) {
  session_.returnFocusToList(Qt::TabFocusReason);
  return QLineEdit::focusNextPrevChild(next);
}

void QtInPlaceEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  if (InPlaceEditSession::FocusLossEndsEdit(event)) {
    finish();
  }
}

void QtInPlaceEdit::finish() {
  if (const auto result = session_.end(this, text())) {
    emit editFinished(*result);
    deleteLater();
  }
}

}  // namespace trel
