#include "widgets/in_place_combo.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <utility>

namespace trel {

CInPlaceCombo::CInPlaceCombo(QWidget* list, QWidget* parent, InPlaceEditState state,
                             const QStringList& choices)
    : QComboBox(parent), list_(list), state_(std::move(state)) {
  setEditable(false);
  setFont(list->font());
  addItems(choices);
  setCurrentIndex(-1);
}

void CInPlaceCombo::hidePopup() {
  QComboBox::hidePopup();
  // Closing the drop-down, by choosing an entry or otherwise, ends the edit.
  if (!finished_) {
    list_->setFocus(Qt::OtherFocusReason);
  }
}

void CInPlaceCombo::keyPressEvent(QKeyEvent* event) {
  if (HandleEditEndKey(event, state_, list_)) {
    return;
  }
  QComboBox::keyPressEvent(event);
}

bool CInPlaceCombo::focusNextPrevChild(bool next) {
  list_->setFocus(Qt::TabFocusReason);
  return QComboBox::focusNextPrevChild(next);
}

void CInPlaceCombo::focusOutEvent(QFocusEvent* event) {
  QComboBox::focusOutEvent(event);
  if (FocusLossEndsEdit(event)) {
    finish();
  }
}

void CInPlaceCombo::finish() {
  if (finished_) {
    return;
  }
  finished_ = true;
  hide();
  emit editFinished(state_.result(currentIndex() < 0 ? QString() : currentText()));
  deleteLater();
}

}  // namespace trel
