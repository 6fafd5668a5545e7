#pragma once

#include <QRect>

class QFont;

namespace trel {

// The dialog base units of a font: the average width of its letters and its height, in pixels.
struct DialogBaseUnits {
  int x = 0;
  int y = 0;
};

DialogBaseUnits BaseUnitsOf(const QFont& font);

// A rectangle given in dialog units (a quarter of the average letter width horizontally, an eighth
// of the font height vertically), in pixels.
QRect DialogUnitsToPixels(const DialogBaseUnits& units, int x, int y, int cx, int cy);

}  // namespace trel
