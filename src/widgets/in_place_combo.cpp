#include "widgets/in_place_combo.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <utility>

namespace trel {

CInPlaceCombo::CInPlaceCombo(QWidget* list, QWidget* parent, InPlaceEditState state,
                             const QStringList& choices)
    : QComboBox(parent), session_(list, std::move(state)) {
  setEditable(false);
  setFont(list->font());
  addItems(choices);
  setCurrentIndex(-1);
}

void CInPlaceCombo::hidePopup() {
  QComboBox::hidePopup();
  // Closing the drop-down, by choosing an entry or otherwise, ends the edit.
  session_.returnFocusToList(Qt::OtherFocusReason);
}

void CInPlaceCombo::keyPressEvent(QKeyEvent* event) {
  if (!session_.handleEndKey(event)) {
    QComboBox::keyPressEvent(event);
  }
}

bool CInPlaceCombo::focusNextPrevChild(bool next) {
  session_.returnFocusToList(Qt::TabFocusReason);
  return QComboBox::focusNextPrevChild(next);
}

void CInPlaceCombo::focusOutEvent(QFocusEvent* event) {
  QComboBox::focusOutEvent(event);
  if (InPlaceEditSession::FocusLossEndsEdit(event)) {
    finish();
  }
}

void CInPlaceCombo::finish() {
  if (const auto result = session_.end(this, currentIndex() < 0 ? QString() : currentText())) {
    emit editFinished(*result);
    deleteLater();
  }
}

}  // namespace trel
