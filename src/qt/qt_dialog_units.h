#pragma once

#include <QRect>

#include "app/screen_types.h"

class QFont;

namespace trel {

// The dialog base units of a Qt font.
DialogBaseUnits BaseUnitsOfFont(const QFont& font);

// A rectangle in dialog units, in pixels of the font's base units.
QRect DialogUnitsToQRect(const DialogBaseUnits& units, int x, int y, int cx, int cy);

inline QRect ToQRect(const ScreenRect& rect) {
  return QRect(rect.x, rect.y, rect.width, rect.height);
}

inline ScreenRect ToScreenRect(const QRect& rect) {
  return ScreenRect{rect.x(), rect.y(), rect.width(), rect.height()};
}

}  // namespace trel
