#include "app/layout_record.h"

#include "app/window_screen.h"

namespace trel {

ControlPlacement CapturePlacement(HorizontalRule rule, const ScreenRect& rect,
                                  const ScreenSize& client) {
  return ControlPlacement{rule,
                          rect.x,
                          rect.width,
                          rect.height,
                          client.width - rect.right(),
                          client.height - rect.bottom()};
}

ScreenRect PlaceControl(const ControlPlacement& placement, const ScreenSize& client) {
  const int bottom = client.height - placement.bottomGap;
  const int top = bottom - placement.height;
  const int right = client.width - placement.rightGap;
  switch (placement.rule) {
    case HorizontalRule::kKeepRight:
      return ScreenRect{right - placement.width, top, placement.width, placement.height};
    case HorizontalRule::kStretch:
      return ScreenRect{placement.left, top, right - placement.left, placement.height};
    case HorizontalRule::kKeepLeft:
      break;
  }
  return ScreenRect{placement.left, top, placement.width, placement.height};
}

void LayoutRecord::capture(const WindowScreen& screen) {
  entries_.clear();
  const ScreenSize client = screen.clientSize();
  for (const ControlTemplate& design : kMainWindowTemplate.controls) {
    if (const auto rule = HorizontalRuleOf(design.id)) {
      entries_.push_back(
          Entry{design.id, CapturePlacement(*rule, screen.place(design.id), client)});
    }
  }
}

void LayoutRecord::apply(WindowScreen& screen, const ScreenSize& client) const {
  for (const Entry& entry : entries_) {
    screen.setPlace(entry.id, PlaceControl(entry.placement, client));
  }
}

}  // namespace trel
