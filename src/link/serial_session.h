#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "link/port_discovery.h"
#include "link/printer_link.h"
#include "platform/serial_port.h"
#include "platform/window_messages.h"

namespace trel {

using PortOpener = std::function<SerialOpenResult(const std::string& name)>;

// The session's waits; tests shorten them where they would otherwise sit out a real pause.
struct SessionTimings {
  std::chrono::milliseconds rescanPause{1200};    // between scans while no port is open
  std::chrono::milliseconds deliveryQuiet{1000};  // silence after which a short answer is whole
  std::chrono::milliseconds writeLimit{2000};     // a write that takes longer fails
  std::chrono::milliseconds openLimit{10000};     // SerialOpen gives up after this in all
};

struct SessionDependencies {
  PortOpener openPort;
  PortEnumerator enumeratePorts;
  SessionTimings timings;
};

// The real ports of this machine, with the real waits.
SessionDependencies SystemSessionDependencies();

// The tool's one connection to the printer. Its link thread scans for known adapters while no port
// is open and configures and reads the port once SerialOpen installed one; its delivery thread
// hands received answers to the data callback; its device message thread switches the device object
// through which bytes are received and written.
class SerialSession final : public PrinterLink {
 public:
  SerialSession();
  explicit SerialSession(SessionDependencies dependencies);
  SerialSession(const SerialSession&) = delete;
  SerialSession& operator=(const SerialSession&) = delete;
  ~SerialSession() override;

  void SerialSetDataCallback(SerialDataCallback callback);
  // Starts whatever of the three threads is not running; `window` receives the posted messages
  // (may be null). 0 when a thread cannot be started.
  int SerialStart(WindowMessages* window);
  int SerialSetLine(int stopBitsCode, std::uint32_t baudRate) override;
  int SerialOpen(const std::string& portName) override;
  int SerialWrite(const std::uint8_t* bytes, std::size_t count) override;
  int SerialClose() override;
  std::string lastOpenError() const override;
  // Ends every thread and closes the port; the session may be started again afterwards.
  int SerialShutdown();

  // Received bytes dropped because the receive ring was full.
  std::uint64_t droppedBytes() const;

 private:
  class Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace trel
