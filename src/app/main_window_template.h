#pragma once

#include <array>
#include <optional>

namespace trel {

enum class ControlKind {
  kGroupBox,
  kLabel,
  kEditableCombo,
  kListCombo,
  kButton,
  kLineEdit,
  kProgressBar,
  kTreeView,
  kCheckBox,
  kTable,
  kMultiLineEdit,
};

// One control of the main window as designed: kind, caption, place and size in dialog units, and
// whether it starts hidden. The order is the tab order.
struct ControlTemplate {
  int id;
  ControlKind kind;
  const char* text;
  int x;
  int y;
  int cx;
  int cy;
  bool hidden;
};

// The main window's size in dialog units.
inline constexpr int kMainWindowWidthDu = 595;
inline constexpr int kMainWindowHeightDu = 463;

extern const std::array<ControlTemplate, 29> kMainWindowTemplate;

// The template of a control of the main window; the control must be one of the template's.
const ControlTemplate& ControlTemplateOf(int controlId);

// How a control follows the window's width; every control of the layout keeps its height and its
// distance from the bottom edge.
enum class HorizontalRule { kKeepLeft, kKeepRight, kStretch };

// The rule of a control, or nothing for a control the layout never moves.
std::optional<HorizontalRule> HorizontalRuleOf(int controlId);

}  // namespace trel
