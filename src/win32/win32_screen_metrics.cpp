#include "win32/win32_screen_metrics.h"

#include <windows.h>

#include <cmath>

#include "app/dialog_units.h"

namespace trel {

ScreenRect WorkArea() {
  RECT area{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  return ScreenRect{area.left, area.top, area.right - area.left, area.bottom - area.top};
}

DialogBaseUnits DialogFontUnits(double pointSize) {
  HDC screen = ::GetDC(nullptr);
  const int height =
      -::MulDiv(static_cast<int>(std::lround(pointSize)), ::GetDeviceCaps(screen, LOGPIXELSY), 72);
  HFONT font = ::CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, L"MS Shell Dlg 2");
  const HGDIOBJ previous = ::SelectObject(screen, font);
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(screen, &metrics);
  constexpr wchar_t kLetters[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  SIZE letters{};
  ::GetTextExtentPoint32W(screen, kLetters, 52, &letters);
  ::SelectObject(screen, previous);
  ::DeleteObject(font);
  ::ReleaseDC(nullptr, screen);
  return BaseUnitsOf(letters.cx, metrics.tmHeight);
}

}  // namespace trel
