#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "link/thread_message.h"

namespace trel {

// What a device object needs of the session it belongs to.
class DeviceHost {
 public:
  virtual ~DeviceHost() = default;
  // Appends received bytes to the receive ring and wakes the delivery thread.
  virtual void StoreReceived(const std::uint8_t* bytes, std::size_t count) = 0;
  // Writes through the open port within the write limit; 1 when written, else 0. A failed write
  // through WriteEndingLink also ends the read loop and so the link.
  virtual int WriteKeepingLink(const std::uint8_t* bytes, std::size_t count) = 0;
  virtual int WriteEndingLink(const std::uint8_t* bytes, std::size_t count) = 0;
};

// The eight bytes a type record carries: wParam's bytes then lParam's, most significant first.
using TypeRecord = std::array<std::uint8_t, 8>;

struct WindowsVersion {
  bool ntFamily = true;
  unsigned major = 0;
  unsigned minor = 0;
};

// 0 on the NT 5.x family (and on non-NT Windows), 1 otherwise and when no version is known.
int OsFlagFor(const std::optional<WindowsVersion>& version);

// The object between the session and the printer: the session hands it every block of received
// bytes and every write goes through it. The base receives nothing and writes nothing.
class CDeviceObject {
 public:
  explicit CDeviceObject(DeviceHost& host);
  CDeviceObject(const CDeviceObject&) = delete;
  CDeviceObject& operator=(const CDeviceObject&) = delete;
  virtual ~CDeviceObject() = default;

  virtual void Reset() {}
  virtual void Deactivate() {}
  // True when the device thread's message was consumed.
  virtual bool FilterThreadMessage(const ThreadMessage& message);
  virtual int Receive(const std::uint8_t* bytes, std::size_t count);
  virtual int AdjustValue(int value);
  virtual int Write(const std::uint8_t* bytes, std::size_t count);
  virtual void CancelAll(int /*which*/) {}
  virtual void Activate() { activeFlag = 1; }
  virtual void OnLinkEvent() {}
  virtual void OnTypeRecord(const TypeRecord& /*record*/) {}

  static constexpr std::array<std::uint32_t, 4> kDefaultNotifyMessages = {1025, 1029, 1030, 0};

  // Touched only on the device message thread.
  int osFlag;
  int activeFlag = 0;
  std::uint32_t selectionValue = 0;
  std::array<std::uint32_t, 4> notifyMessages = kDefaultNotifyMessages;

 protected:
  DeviceHost& host_;
};

// The common base of the serial-protocol devices; adds nothing that is used.
class CDeviceObject_Holtek : public CDeviceObject {
 public:
  using CDeviceObject::CDeviceObject;
};

// Current while no link is up: drops received bytes; writes without ending the link.
class CDeviceObject_NULL : public CDeviceObject_Holtek {
 public:
  using CDeviceObject_Holtek::CDeviceObject_Holtek;
  int Write(const std::uint8_t* bytes, std::size_t count) override;
};

// The serial-protocol device, current while a configured line is read: received bytes go to the
// receive ring; a write that fails ends the link.
class CDeviceObject_01_00_01_00 : public CDeviceObject_Holtek {
 public:
  using CDeviceObject_Holtek::CDeviceObject_Holtek;
  void Reset() override;
  bool FilterThreadMessage(const ThreadMessage& message) override;
  int Receive(const std::uint8_t* bytes, std::size_t count) override;
  int AdjustValue(int value) override;
  int Write(const std::uint8_t* bytes, std::size_t count) override;
};

}  // namespace trel
