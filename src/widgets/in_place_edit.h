#pragma once

#include <QLineEdit>

#include "widgets/in_place_edit_session.h"
#include "widgets/list_owner.h"

namespace trel {

// The single-line editor a CComboListCtrl opens over one cell. It takes the focus when shown; Enter
// commits, Escape restores the start text, any other loss of focus (a click elsewhere, Tab,
// scrolling the list) commits. Either way it hands back exactly one result and then goes away.
class CInPlaceEdit : public QLineEdit {
  Q_OBJECT

 public:
  // `list` receives the focus when Enter or Escape ends the edit. `allowedChars` empty accepts
  // every character. The limit never cuts the start text: a longer cell text stays whole. What a
  // command cannot hold (a line break; with `hexOnly` anything but a hexadecimal digit) is removed
  // where it was put in, and said by inputRefused().
  CInPlaceEdit(QWidget* list, QWidget* parent, InPlaceEditState state, QString allowedChars,
               int textLimit, bool hexOnly);

  // Hands back the result once and lets the window go; later calls do nothing.
  void finish();

 signals:
  void editFinished(const trel::CellEdit& edit);
  void inputRefused(const QString& note);

 protected:
  // Tab ends the edit and moves on from the list, to the control after it.
  bool focusNextPrevChild(bool next) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  bool refusesCharacter(const QKeyEvent* event) const;
  void keepCommandCharacters(const QString& edited);

  InPlaceEditSession session_;
  QString allowedChars_;
  bool hexOnly_;
  QString accepted_;  // the text before the operator's change
};

}  // namespace trel
