#pragma once

class QWidget;

namespace trel {

// Makes the main window fit its screen at start-up, before its controls are made: the window keeps
// the desktop's font and gives up table height first; only a window too wide for its screen takes
// a smaller font, never below the desktop's smallest readable size. Sets the window's font and
// returns the pixels the table gives up.
int FitWindowToScreen(QWidget& window);

// Places the window, frame and all, in the middle of its screen's free area: left to itself a
// window manager may put the client area at the top and the title bar above the screen.
void PlaceOnScreen(QWidget& window);

}  // namespace trel
