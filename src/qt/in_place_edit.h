#pragma once

#include <QLineEdit>
#include <functional>
#include <optional>
#include <string_view>

#include "qt/in_place_edit_session.h"
#include "tables/command_input.h"

namespace trel {

// The single-line editor a QtListView opens over one cell. It takes the focus when shown; Enter
// commits, Escape cancels, any other loss of focus (a click elsewhere, Tab, scrolling the list)
// commits. Either way it hands back exactly one result and then goes away.
class QtInPlaceEdit : public QLineEdit {
  Q_OBJECT

 public:
  // What of a change the editor takes back, as the list's rules say.
  using InputCheck =
      std::function<std::optional<RefusedInput>(std::u16string_view, std::u16string_view)>;

  // `list` receives the focus when Enter or Escape ends the edit. `allowedChars` empty accepts
  // every character. The limit never cuts the start text: a longer cell text stays whole.
  QtInPlaceEdit(QWidget* list, QWidget* parent, InPlaceEditState state, const QString& startText,
                QString allowedChars, int textLimit, InputCheck checkInput);

  // Hands back the result once and lets the window go; later calls do nothing.
  void finish();

 signals:
  void editFinished(const trel::EditorResult& result);

 protected:
  // Tab ends the edit and moves on from the list, to the control after it.
  bool focusNextPrevChild(bool next) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  bool refusesCharacter(const QKeyEvent* event) const;
  void keepWhatTheCellTakes(const QString& edited);

  InPlaceEditSession session_;
  QString allowedChars_;
  InputCheck checkInput_;
  QString accepted_;  // the text before the operator's change
};

}  // namespace trel
