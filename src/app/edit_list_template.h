#pragma once

#include "app/control_template.h"

namespace trel {

// "Edit List": 249 x 170 dialog units, the list and its four buttons, OK the default button.
extern const DialogTemplate kEditListTemplate;

}  // namespace trel
