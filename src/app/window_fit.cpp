#include "app/window_fit.h"

#include <algorithm>

namespace trel {

WindowFit FitWindow(const DesignedSize& designed, const ScreenRoom& room) {
  const int spare = std::max(0, designed.tableHeight - designed.shortestTable);
  const int cut = std::clamp(designed.height - room.height, 0, spare);
  return {designed.width <= room.width && designed.height - cut <= room.height, cut};
}

}  // namespace trel
