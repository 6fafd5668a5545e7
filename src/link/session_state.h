#pragma once

#include <atomic>
#include <cstdint>

#include "link/device_object.h"

namespace trel {

// linkState: the line is configured and being read.
inline constexpr std::uint32_t kLinkConfigured = 8;

// The session's flags and device selection, read and written by several of its threads without a
// lock; each is read fresh on every test.
struct SessionState {
  SessionState(CDeviceObject& idle, CDeviceObject& serial)
      : idleDevice(idle), serialDevice(serial) {}

  // True while received bytes should reach the data callback: a link is up and the device current
  // is one that talks to the printer.
  bool PrinterDeviceActive() const {
    const CDeviceObject* current = currentDevice.load();
    return deviceActive.load() && current != nullptr && current != &idleDevice;
  }

  CDeviceObject& idleDevice;
  CDeviceObject& serialDevice;
  std::atomic<CDeviceObject*> currentDevice{nullptr};
  std::atomic<std::uint32_t> linkState{0};
  std::atomic<bool> reading{false};
  std::atomic<bool> deviceActive{false};
  std::atomic<std::uint32_t> deviceTypeCode{0};
  std::atomic<bool> messageThreadReady{false};
  // Handed to the selected device; this system always selects with 0.
  std::uint32_t selectionValue = 0;
};

}  // namespace trel
