#pragma once

#include <QPlainTextEdit>
#include <QString>
#include <functional>
#include <optional>
#include <string_view>

#include "tables/command_input.h"

namespace trel {

// The box under the table that shows the selected row's command text for the operator to change.
// Whatever the operator types, pastes or drops is kept within its most characters; the part
// beyond it is refused where it was inserted. A longer text the window shows is never cut: it only
// cannot grow. What the window's rules refuse of a change is taken out where it was put in. Tab
// moves the focus on, as in a dialog's text box.
class CommandTextBox : public QPlainTextEdit {
  Q_OBJECT

 public:
  using InputCheck =
      std::function<std::optional<RefusedInput>(std::u16string_view, std::u16string_view)>;

  explicit CommandTextBox(QWidget* parent = nullptr);

  // Shows a text as the window does: no typing, so no `typed`, and no limit.
  void showText(const QString& text);
  void setInputCheck(InputCheck check) { checkInput_ = std::move(check); }
  // The most characters the operator can type; a longer text shown is kept whole.
  void setMaxLength(int maxLength);

 signals:
  // The operator changed the text.
  void typed();

 private:
  void onTextChanged();
  void keepWithinLimit();
  void keepWhatTheRulesTake();
  // Replaces the characters at [start, start + length) as part of the change just made, so that
  // one undo takes back both.
  void replaceInLastEdit(int start, int length, const QString& text);

  int maxLength_ = 0;  // no limit
  int limit_ = 0;      // maxLength_, or the length of a longer text shown
  bool correcting_ = false;
  QString accepted_;  // the text before the operator's change
  InputCheck checkInput_;
};

}  // namespace trel
