#pragma once

#include <QRect>
#include <QSize>
#include <vector>

#include "app/main_window_template.h"

class QWidget;

namespace trel {

// Where a control stands relative to the edges of the window's client area when it was captured.
struct ControlPlacement {
  HorizontalRule rule = HorizontalRule::kKeepLeft;
  int left = 0;
  int width = 0;
  int height = 0;
  int rightGap = 0;   // client width - right edge
  int bottomGap = 0;  // client height - bottom edge
};

ControlPlacement CapturePlacement(HorizontalRule rule, const QRect& rect, const QSize& client);

// The control's rectangle for a client area of the given size: same height and distance from the
// bottom; horizontally its left, its distance from the right, or both. Nothing is clamped: a client
// area smaller than at capture narrows stretching controls by the difference.
QRect PlaceControl(const ControlPlacement& placement, const QSize& client);

// The positions of the window's controls captured once at start-up, applied whenever its size
// changes.
class LayoutRecord {
 public:
  void capture(const std::vector<std::pair<QWidget*, HorizontalRule>>& controls,
               const QSize& client);
  void apply(const QSize& client) const;
  bool captured() const { return !entries_.empty(); }

 private:
  struct Entry {
    QWidget* control;
    ControlPlacement placement;
  };
  std::vector<Entry> entries_;
};

}  // namespace trel
