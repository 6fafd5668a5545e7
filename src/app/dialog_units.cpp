#include "app/dialog_units.h"

namespace trel {

DialogBaseUnits BaseUnitsOf(int widthOf52Letters, int fontHeight) {
  return DialogBaseUnits{(widthOf52Letters / 26 + 1) / 2, fontHeight};
}

ScreenRect DialogUnitsToPixels(const DialogBaseUnits& units, int x, int y, int cx, int cy) {
  return ScreenRect{x * units.x / 4, y * units.y / 8, cx * units.x / 4, cy * units.y / 8};
}

}  // namespace trel
