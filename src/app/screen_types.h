#pragma once

namespace trel {

// Sizes and places on the screen, in the renderer's logical pixels.
struct ScreenSize {
  int width = 0;
  int height = 0;

  bool operator==(const ScreenSize&) const = default;
};

struct ScreenRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;

  int right() const { return x + width; }
  int bottom() const { return y + height; }
  bool operator==(const ScreenRect&) const = default;
};

// The dialog base units of a font: the average width of its letters and its height, in pixels.
struct DialogBaseUnits {
  int x = 0;
  int y = 0;
};

}  // namespace trel
