#pragma once

#include <vector>

#include "app/main_window_template.h"
#include "app/screen_types.h"

namespace trel {

class WindowScreen;

// Where a control stands relative to the edges of the window's client area when it was captured.
struct ControlPlacement {
  HorizontalRule rule = HorizontalRule::kKeepLeft;
  int left = 0;
  int width = 0;
  int height = 0;
  int rightGap = 0;   // client width - right edge
  int bottomGap = 0;  // client height - bottom edge
};

ControlPlacement CapturePlacement(HorizontalRule rule, const ScreenRect& rect,
                                  const ScreenSize& client);

// The control's rectangle for a client area of the given size: same height and distance from the
// bottom; horizontally its left, its distance from the right, or both. Nothing is clamped: a client
// area smaller than at capture narrows stretching controls by the difference.
ScreenRect PlaceControl(const ControlPlacement& placement, const ScreenSize& client);

// The positions of the window's controls captured once at start-up, applied whenever its size
// changes.
class LayoutRecord {
 public:
  // Captures every control of the template that the layout keeps in place.
  void capture(const WindowScreen& screen);
  void apply(WindowScreen& screen, const ScreenSize& client) const;
  bool captured() const { return !entries_.empty(); }

 private:
  struct Entry {
    int id;
    ControlPlacement placement;
  };
  std::vector<Entry> entries_;
};

}  // namespace trel
