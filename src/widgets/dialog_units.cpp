#include "widgets/dialog_units.h"

#include <QFont>
#include <QFontMetrics>

namespace trel {

DialogBaseUnits BaseUnitsOf(const QFont& font) {
  const QFontMetrics metrics(font);
  // The average letter width, rounded, as the classic dialog manager measures it.
  const int letters = metrics.horizontalAdvance(
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  return DialogBaseUnits{(letters / 26 + 1) / 2, metrics.height()};
}

QRect DialogUnitsToPixels(const DialogBaseUnits& units, int x, int y, int cx, int cy) {
  return QRect(x * units.x / 4, y * units.y / 8, cx * units.x / 4, cy * units.y / 8);
}

}  // namespace trel
