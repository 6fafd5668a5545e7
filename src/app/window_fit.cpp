#include "app/window_fit.h"

#include <algorithm>

namespace trel {
namespace {

constexpr double kFontStep = 0.5;

}  // namespace

WindowFit FitWindow(const DesignedSize& designed, const ScreenRoom& room) {
  const int spare = std::max(0, designed.tableHeight - designed.shortestTable);
  const int cut = std::clamp(designed.height - room.height, 0, spare);
  return {designed.width <= room.width && designed.height - cut <= room.height, cut};
}

FontFit FitFontAndTable(const ScreenRect& available, double pointSize, double smallestPointSize,
                        const std::function<DesignedSize(double pointSize)>& designedWith) {
  const ScreenRoom room{available.width - kFrameWidth, available.height - kFrameHeight};
  const double smallest = std::min(pointSize, smallestPointSize);
  WindowFit fit = FitWindow(designedWith(pointSize), room);
  // A font given in pixels rather than points (no point size) is kept as it is.
  while (!fit.fits && pointSize > 0 && pointSize - kFontStep >= smallest) {
    pointSize -= kFontStep;
    fit = FitWindow(designedWith(pointSize), room);
  }
  return {pointSize, fit.tableCut};
}

ScreenRect CentredFrame(const ScreenRect& available, const ScreenSize& client) {
  const ScreenSize frame{client.width + kFrameWidth, client.height + kFrameHeight};
  return ScreenRect{available.x + std::max(0, (available.width - frame.width) / 2),
                    available.y + std::max(0, (available.height - frame.height) / 2), frame.width,
                    frame.height};
}

}  // namespace trel
