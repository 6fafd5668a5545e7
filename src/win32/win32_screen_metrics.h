#pragma once

#include "app/screen_types.h"

namespace trel {

// The dialog font's size: "MS Shell Dlg" 8 points, the font the templates are measured with.
inline constexpr double kDialogPointSize = 8;

// The free area of the primary monitor (without the taskbar), in pixels.
ScreenRect WorkArea();

// The dialog base units of "MS Shell Dlg" at the size given, on the screen's resolution, as the
// dialog manager measures them.
DialogBaseUnits DialogFontUnits(double pointSize);

}  // namespace trel
