#pragma once

#include <QPlainTextEdit>

namespace trel {

// The box under the table that shows the selected row's command text for the operator to change.
// Whatever the operator types, pastes or drops is kept within `maxLength` characters, the most a
// command can hold; the part beyond it is refused where it was inserted. A longer text the window
// shows is never cut: it only cannot grow.
class CommandTextBox : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit CommandTextBox(int maxLength, QWidget* parent = nullptr);

  // Shows a text as the window does: no typing, so no textChanged, and no limit.
  void showText(const QString& text);

 private:
  void keepWithinLimit();

  int maxLength_;
  int limit_;  // maxLength_, or the length of a longer text shown
  bool cutting_ = false;
};

}  // namespace trel
