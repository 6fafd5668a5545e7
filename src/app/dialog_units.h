#pragma once

#include "app/screen_types.h"

namespace trel {

// The base units of a font, as the classic dialog manager measures them: the width of the 52
// letters A-Z a-z, averaged and rounded, and the font's height.
DialogBaseUnits BaseUnitsOf(int widthOf52Letters, int fontHeight);

// A rectangle given in dialog units (a quarter of the average letter width horizontally, an eighth
// of the font height vertically), in pixels.
ScreenRect DialogUnitsToPixels(const DialogBaseUnits& units, int x, int y, int cx, int cy);

}  // namespace trel
