#include "qt/in_place_combo.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <utility>

namespace trel {

QtInPlaceCombo::QtInPlaceCombo(QWidget* list, QWidget* parent, InPlaceEditState state,
                               const QStringList& choices)
    : QComboBox(parent), session_(list, state) {
  setEditable(false);
  setFont(list->font());
  addItems(choices);
  setCurrentIndex(-1);
}

void QtInPlaceCombo::hidePopup() {
  QComboBox::hidePopup();
  // Closing the drop-down, by choosing an entry or otherwise, ends the edit.
  session_.returnFocusToList(Qt::OtherFocusReason);
}

void QtInPlaceCombo::keyPressEvent(QKeyEvent* event) {
  if (!session_.handleEndKey(event)) {
    QComboBox::keyPressEvent(event);
  }
}

bool QtInPlaceCombo::focusNextPrevChild(bool next) {
  session_.returnFocusToList(Qt::TabFocusReason);
  return QComboBox::focusNextPrevChild(next);
}

void QtInPlaceCombo::focusOutEvent(QFocusEvent* event) {
  QComboBox::focusOutEvent(event);
  if (InPlaceEditSession::FocusLossEndsEdit(event)) {
    finish();
  }
}

void QtInPlaceCombo::finish() {
  if (const auto result = session_.end(this, currentIndex() < 0 ? QString() : currentText())) {
    emit editFinished(*result);
    deleteLater();
  }
}

}  // namespace trel
