#pragma once

namespace trel {

class WindowScreen;

// Disables a control; when it has the keyboard focus, the focus first goes to `heir`. Left to
// itself the focus would move on to the next control in the tab order, which may be a button that
// Enter then presses, or a text box whose selected text the next key overwrites.
void DisableHandingFocusTo(WindowScreen& screen, int control, int heir);

}  // namespace trel
