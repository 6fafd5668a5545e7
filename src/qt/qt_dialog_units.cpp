#include "qt/qt_dialog_units.h"

#include <QFont>
#include <QFontMetrics>

#include "app/dialog_units.h"

namespace trel {

DialogBaseUnits BaseUnitsOfFont(const QFont& font) {
  const QFontMetrics metrics(font);
  return BaseUnitsOf(metrics.horizontalAdvance(
                         QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")),
                     metrics.height());
}

QRect DialogUnitsToQRect(const DialogBaseUnits& units, int x, int y, int cx, int cy) {
  return ToQRect(DialogUnitsToPixels(units, x, y, cx, cy));
}

}  // namespace trel
