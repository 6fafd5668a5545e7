#pragma once

#include <QComboBox>
#include <QStringList>

#include "qt/in_place_edit_session.h"

namespace trel {

// The drop-down list a QtListView opens over a cell of a combo column. Entries keep the order
// given; nothing is selected at first. Enter commits, Escape cancels, closing the drop-down or any
// other loss of focus commits the selected entry's text (empty when none).
class QtInPlaceCombo : public QComboBox {
  Q_OBJECT

 public:
  QtInPlaceCombo(QWidget* list, QWidget* parent, InPlaceEditState state,
                 const QStringList& choices);

  // Hands back the result once and lets the window go; later calls do nothing.
  void finish();
  void hidePopup() override;

 signals:
  void editFinished(const trel::EditorResult& result);

 protected:
  // Tab ends the edit and moves on from the list, to the control after it.
  bool focusNextPrevChild(bool next) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  InPlaceEditSession session_;
};

}  // namespace trel
