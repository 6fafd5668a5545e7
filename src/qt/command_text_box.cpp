#include "qt/command_text_box.h"

#include <QSignalBlocker>
#include <QTextCursor>
#include <algorithm>

namespace trel {

CommandTextBox::CommandTextBox(QWidget* parent) : QPlainTextEdit(parent) {
  setTabChangesFocus(true);
  connect(this, &QPlainTextEdit::textChanged, this, &CommandTextBox::onTextChanged);
}

void CommandTextBox::setMaxLength(int maxLength) {
  maxLength_ = maxLength;
  limit_ = std::max(maxLength_, static_cast<int>(toPlainText().size()));
}

void CommandTextBox::showText(const QString& text) {
  const QSignalBlocker quiet(this);
  limit_ = std::max(maxLength_, static_cast<int>(text.size()));
  setPlainText(text);
  accepted_ = text;
}

void CommandTextBox::onTextChanged() {
  if (correcting_) {
    return;
  }
  correcting_ = true;
  keepWhatTheRulesTake();
  keepWithinLimit();
  correcting_ = false;
  accepted_ = toPlainText();
  emit typed();
}

void CommandTextBox::keepWhatTheRulesTake() {
  if (!checkInput_) {
    return;
  }
  const std::optional<RefusedInput> refused =
      checkInput_(accepted_.toStdU16String(), toPlainText().toStdU16String());
  if (refused) {
    replaceInLastEdit(static_cast<int>(refused->start), static_cast<int>(refused->length),
                      QString::fromStdU16String(refused->kept));
  }
}

// The text is never longer than the limit before a change, so any excess was just inserted; typing,
// pasting and dropping leave the cursor right after what they inserted, so the excess is the text
// just before the cursor.
void CommandTextBox::keepWithinLimit() {
  const int excess = static_cast<int>(toPlainText().size()) - limit_;
  if (maxLength_ > 0 && excess > 0) {
    const int end = textCursor().position();
    const int start = std::max(0, end - excess);
    replaceInLastEdit(start, end - start, QString());
  }
}

void CommandTextBox::replaceInLastEdit(int start, int length, const QString& text) {
  QTextCursor cursor = textCursor();
  cursor.setPosition(start);
  cursor.setPosition(start + length, QTextCursor::KeepAnchor);
  cursor.joinPreviousEditBlock();
  cursor.insertText(text);
  cursor.endEditBlock();
  setTextCursor(cursor);
}

}  // namespace trel
