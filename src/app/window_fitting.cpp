#include "app/window_fitting.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QScreen>
#include <QWidget>
#include <algorithm>

#include "app/control_ids.h"
#include "app/main_window_template.h"
#include "app/window_fit.h"
#include "widgets/dialog_units.h"

namespace trel {
namespace {

constexpr double kFontStep = 0.5;
// The window manager's frame is not known before the window is shown: room for a title bar and
// borders, in the desktop's own logical pixels.
constexpr int kFrameWidth = 16;
constexpr int kFrameHeight = 48;
// The table still shows its header and this many rows.
constexpr int kShortestTableRows = 6;

DesignedSize DesignedWith(const QFont& font) {
  const QRect window =
      DialogUnitsToPixels(BaseUnitsOf(font), 0, 0, kMainWindowWidthDu, kMainWindowHeightDu);
  const ControlTemplate& table = ControlTemplateOf(control::kTable);
  const int rowHeight = QFontMetrics(font).height() + 6;
  return {window.width(), window.height(),
          DialogUnitsToPixels(BaseUnitsOf(font), 0, 0, table.cx, table.cy).height(),
          (kShortestTableRows + 1) * rowHeight};
}

}  // namespace

int FitWindowToScreen(QWidget& window) {
  const QScreen* screen = window.screen();
  if (screen == nullptr) {
    return 0;
  }
  const QRect available = screen->availableGeometry();
  const ScreenRoom room{available.width() - kFrameWidth, available.height() - kFrameHeight};
  QFont font = window.font();
  const double smallest =
      std::min(font.pointSizeF(),
               QFontDatabase::systemFont(QFontDatabase::SmallestReadableFont).pointSizeF());
  WindowFit fit = FitWindow(DesignedWith(font), room);
  // A font given in pixels rather than points is kept as it is.
  while (!fit.fits && font.pointSizeF() > 0 && font.pointSizeF() - kFontStep >= smallest) {
    font.setPointSizeF(font.pointSizeF() - kFontStep);
    fit = FitWindow(DesignedWith(font), room);
  }
  window.setFont(font);
  return fit.tableCut;
}

void PlaceOnScreen(QWidget& window) {
  if (const QScreen* screen = window.screen()) {
    const QRect available = screen->availableGeometry();
    const QSize frame = window.size() + QSize(kFrameWidth, kFrameHeight);
    window.move(available.x() + std::max(0, (available.width() - frame.width()) / 2),
                available.y() + std::max(0, (available.height() - frame.height()) / 2));
  }
}

}  // namespace trel
