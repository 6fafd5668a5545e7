#pragma once

#include <optional>

#include "app/control_template.h"

namespace trel {

// The main window: 595 x 463 dialog units, Start the default button.
extern const DialogTemplate kMainWindowTemplate;

// How a control follows the window's width; every control of the layout keeps its height and its
// distance from the bottom edge.
enum class HorizontalRule { kKeepLeft, kKeepRight, kStretch };

// The rule of a control, or nothing for a control the layout never moves.
std::optional<HorizontalRule> HorizontalRuleOf(int controlId);

}  // namespace trel
