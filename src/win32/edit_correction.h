#pragma once

#include <windows.h>

#include "tables/command_input.h"

namespace trel {

// Puts into an edit control what the window's rules keep of the operator's last change, and the
// caret after it.
void TakeBack(HWND edit, const RefusedInput& refused);

}  // namespace trel
