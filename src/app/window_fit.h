#pragma once

#include <functional>

#include "app/screen_types.h"

namespace trel {

// The window as its template lays it out with one font, in pixels.
struct DesignedSize {
  int width = 0;
  int height = 0;
  int tableHeight = 0;
  int shortestTable = 0;  // the table still shows a few rows
};

// The room a screen gives a window: its free area (without panels) less the window manager's frame.
struct ScreenRoom {
  int width = 0;
  int height = 0;
};

struct WindowFit {
  bool fits = false;
  int tableCut = 0;  // pixels the table gives up; the controls below it move up by as many
};

// The window fits when it is no wider than the room and, with its table shortened (down to the
// table's shortest height, and no more than needed), no taller.
WindowFit FitWindow(const DesignedSize& designed, const ScreenRoom& room);

// The window manager's frame is not known before the window is shown: room for a title bar and
// borders, in the desktop's own logical pixels.
inline constexpr int kFrameWidth = 16;
inline constexpr int kFrameHeight = 48;

// The font and the table's height that make the main window fit its screen: the desktop's font,
// with the table giving up height first; only a window too wide for its screen takes a smaller
// font, by half points, never below the desktop's smallest readable size.
struct FontFit {
  double pointSize = 0;
  int tableCut = 0;
};
FontFit FitFontAndTable(const ScreenRect& available, double pointSize, double smallestPointSize,
                        const std::function<DesignedSize(double pointSize)>& designedWith);

// Where the window's frame goes: in the middle of the screen's free area, never above or left of
// it.
ScreenRect CentredFrame(const ScreenRect& available, const ScreenSize& client);

}  // namespace trel
