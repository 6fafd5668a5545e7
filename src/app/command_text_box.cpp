#include "app/command_text_box.h"

#include <QSignalBlocker>
#include <QTextCursor>
#include <algorithm>

namespace trel {

CommandTextBox::CommandTextBox(int maxLength, QWidget* parent)
    : QPlainTextEdit(parent), maxLength_(maxLength), limit_(maxLength) {
  connect(this, &QPlainTextEdit::textChanged, this, &CommandTextBox::keepWithinLimit);
}

void CommandTextBox::showText(const QString& text) {
  const QSignalBlocker quiet(this);
  limit_ = std::max(maxLength_, static_cast<int>(text.size()));
  setPlainText(text);
}

// The text is never longer than the limit before a change, so any excess was just inserted; typing,
// pasting and dropping leave the cursor right after what they inserted, so the excess is the text
// just before the cursor. Its removal joins the insertion's undo step.
void CommandTextBox::keepWithinLimit() {
  const int excess = static_cast<int>(toPlainText().size()) - limit_;
  if (cutting_ || excess <= 0) {
    return;
  }
  QTextCursor cut = textCursor();
  const int end = cut.position();
  cut.clearSelection();
  cut.setPosition(std::max(0, end - excess), QTextCursor::KeepAnchor);
  cutting_ = true;
  cut.joinPreviousEditBlock();
  cut.removeSelectedText();
  cut.endEditBlock();
  cutting_ = false;
}

}  // namespace trel
