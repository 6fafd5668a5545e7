#include "app/focus_handover.h"

#include <QWidget>

namespace trel {

void DisableHandingFocusTo(QWidget* control, QWidget* heir) {
  // The window's focus control, also while another window is active.
  if (control->window()->focusWidget() == control) {
    heir->setFocus(Qt::OtherFocusReason);
  }
  control->setEnabled(false);
}

}  // namespace trel
