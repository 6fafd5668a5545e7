#include "app/focus_handover.h"

#include "app/window_screen.h"

namespace trel {

void DisableHandingFocusTo(WindowScreen& screen, int control, int heir) {
  if (screen.focusedControl() == control) {
    screen.setFocus(heir);
  }
  screen.setEnabled(control, false);
}

}  // namespace trel
