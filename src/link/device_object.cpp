#include "link/device_object.h"

#include "platform/window_messages.h"

namespace trel {

int OsFlagFor(const std::optional<WindowsVersion>& version) {
  if (!version) {
    return 1;
  }
  if (!version->ntFamily) {
    return 0;
  }
  return version->major == 5 && version->minor <= 2 ? 0 : 1;
}

// No Windows version record exists here, which counts as a current system.
CDeviceObject::CDeviceObject(DeviceHost& host) : osFlag(OsFlagFor(std::nullopt)), host_(host) {}

bool CDeviceObject::FilterThreadMessage(const ThreadMessage& /*message*/) {
  return true;
}

int CDeviceObject::Receive(const std::uint8_t* /*bytes*/, std::size_t /*count*/) {
  return 0;
}

int CDeviceObject::AdjustValue(int /*value*/) {
  return 1;
}

int CDeviceObject::Write(const std::uint8_t* /*bytes*/, std::size_t /*count*/) {
  return 0;
}

int CDeviceObject_NULL::Write(const std::uint8_t* bytes, std::size_t count) {
  return host_.WriteKeepingLink(bytes, count);
}

void CDeviceObject_01_00_01_00::Reset() {
  notifyMessages = kDefaultNotifyMessages;
  AdjustValue(-1);
}

bool CDeviceObject_01_00_01_00::FilterThreadMessage(const ThreadMessage& message) {
  return message.message >= kFirstUserMessage;
}

int CDeviceObject_01_00_01_00::Receive(const std::uint8_t* bytes, std::size_t count) {
  if (count == 0) {
    return 0;
  }
  host_.StoreReceived(bytes, count);
  return 1;
}

int CDeviceObject_01_00_01_00::AdjustValue(int value) {
  return osFlag != 0 ? value : 0xFFFF;
}

int CDeviceObject_01_00_01_00::Write(const std::uint8_t* bytes, std::size_t count) {
  return host_.WriteEndingLink(bytes, count);
}

}  // namespace trel
