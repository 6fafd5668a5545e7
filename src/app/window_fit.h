#pragma once

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

}  // namespace trel
