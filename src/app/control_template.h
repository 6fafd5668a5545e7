#pragma once

#include <span>

namespace trel {

enum class ControlKind {
  kGroupBox,
  kLabel,      // a caption, centred in its place
  kLeftLabel,  // a text from its top left corner: the status line
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

// One control of a dialog as designed: kind, caption, place and size in dialog units, and whether
// it starts hidden. The order is the tab order.
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

// A dialog as designed: its size in dialog units and its controls; the template a renderer builds
// the dialog from.
struct DialogTemplate {
  int widthDu;
  int heightDu;
  int defaultButton;  // the control Enter presses
  std::span<const ControlTemplate> controls;

  // The template of one of its controls; the control must be one of the template's.
  const ControlTemplate& control(int id) const;
};

}  // namespace trel
