#include "app/layout_record.h"

#include <QWidget>

namespace trel {

ControlPlacement CapturePlacement(HorizontalRule rule, const QRect& rect, const QSize& client) {
  const int right = rect.x() + rect.width();
  const int bottom = rect.y() + rect.height();
  return ControlPlacement{rule,
                          rect.x(),
                          rect.width(),
                          rect.height(),
                          client.width() - right,
                          client.height() - bottom};
}

QRect PlaceControl(const ControlPlacement& placement, const QSize& client) {
  const int bottom = client.height() - placement.bottomGap;
  const int top = bottom - placement.height;
  const int right = client.width() - placement.rightGap;
  switch (placement.rule) {
    case HorizontalRule::kKeepRight:
      return QRect(right - placement.width, top, placement.width, placement.height);
    case HorizontalRule::kStretch:
      return QRect(placement.left, top, right - placement.left, placement.height);
    case HorizontalRule::kKeepLeft:
      break;
  }
  return QRect(placement.left, top, placement.width, placement.height);
}

void LayoutRecord::capture(const std::vector<std::pair<QWidget*, HorizontalRule>>& controls,
                           const QSize& client) {
  entries_.clear();
  for (const auto& [control, rule] : controls) {
    entries_.push_back(Entry{control, CapturePlacement(rule, control->geometry(), client)});
  }
}

void LayoutRecord::apply(const QSize& client) const {
  for (const Entry& entry : entries_) {
    entry.control->setGeometry(PlaceControl(entry.placement, client));
  }
}

}  // namespace trel
