#pragma once

#include <cstdint>

namespace trel {

// A message posted to the device message thread.
struct ThreadMessage {
  unsigned message = 0;
  std::uintptr_t wParam = 0;
  std::intptr_t lParam = 0;
};

inline constexpr unsigned WM_QUIT = 0x0012;
inline constexpr unsigned kLinkUpMessage = 1025;      // a port is about to be configured
inline constexpr unsigned kLinkDownMessage = 1026;    // the read loop ended and the port is closed
inline constexpr unsigned kTypeRecordMessage = 1027;  // the line is configured; selects the device
inline constexpr unsigned kDeviceFilterMessage = 1028;

// What the link posts with kTypeRecordMessage: record bytes 00 00 00 01 00 01 00 00.
inline constexpr std::uintptr_t kSerialTypeRecordWParam = 1;
inline constexpr std::intptr_t kSerialTypeRecordLParam = 0x10000;

}  // namespace trel
