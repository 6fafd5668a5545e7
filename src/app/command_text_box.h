#pragma once

#include <QPlainTextEdit>
#include <QString>

namespace trel {

// The box under the table that shows the selected row's command text for the operator to change.
// Whatever the operator types, pastes or drops is kept within `maxLength` characters, the most a
// command can hold; the part beyond it is refused where it was inserted. A longer text the window
// shows is never cut: it only cannot grow. What a command cannot hold (a line break; in a HEX
// command anything but a hexadecimal digit) is removed where it was put in, and said by
// inputRefused(). Tab moves the focus on, as in a dialog's text box.
class CommandTextBox : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit CommandTextBox(int maxLength, QWidget* parent = nullptr);

  // Shows a text as the window does: no typing, so no textChanged, and no limit.
  void showText(const QString& text);
  // Whether the command shown is a HEX command.
  void setHexOnly(bool hexOnly) { hexOnly_ = hexOnly; }

 signals:
  void inputRefused(const QString& note);

 private:
  void onTextChanged();
  void keepWithinLimit();
  void keepCommandCharacters();
  // Replaces the characters at [start, start + length) as part of the change just made, so that
  // one undo takes back both.
  void replaceInLastEdit(int start, int length, const QString& text);

  int maxLength_;
  int limit_;  // maxLength_, or the length of a longer text shown
  bool hexOnly_ = false;
  bool correcting_ = false;
  QString accepted_;  // the text before the operator's change
};

}  // namespace trel
