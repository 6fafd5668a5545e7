#include "widgets/in_place_edit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <algorithm>
#include <utility>

#include "tables/command_input.h"

namespace trel {

CInPlaceEdit::CInPlaceEdit(QWidget* list, QWidget* parent, InPlaceEditState state,
                           QString allowedChars, int textLimit, bool hexOnly)
    : QLineEdit(parent),
      session_(list, std::move(state)),
      allowedChars_(std::move(allowedChars)),
      hexOnly_(hexOnly) {
  setFrame(false);
  setFont(list->font());
  const QString& startText = session_.state().startText;
  // Limiting below the start text would cut the cell's text on commit; only typing is limited.
  setMaxLength(std::max(textLimit, static_cast<int>(startText.size())));
  setText(startText);
  accepted_ = startText;
  selectAll();
  connect(this, &QLineEdit::textEdited, this, &CInPlaceEdit::keepCommandCharacters);
}

// Typing, pasting and dropping all come here, after the change.
void CInPlaceEdit::keepCommandCharacters(const QString& edited) {
  const std::optional<RefusedInput> refused =
      RefuseCommandInput(accepted_.toStdU16String(), edited.toStdU16String(), hexOnly_);
  if (refused) {
    const auto start = static_cast<int>(refused->start);
    setSelection(start, static_cast<int>(refused->length));
    insert(QString::fromStdU16String(refused->kept));
    emit inputRefused(QString::fromStdString(refused->note));
  }
  accepted_ = text();
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
