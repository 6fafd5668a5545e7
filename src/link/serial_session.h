#pragma once

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "link/data_callback_slot.h"
#include "link/delivery_thread.h"
#include "link/device_object.h"
#include "link/device_write_thread.h"
#include "link/port_discovery.h"
#include "link/printer_link.h"
#include "link/receive_ring.h"
#include "link/session_state.h"
#include "link/worker_thread.h"
#include "platform/manual_reset_event.h"
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
class SerialSession final : public PrinterLink, private DeviceHost {
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
  std::uint64_t droppedBytes() const { return ring_.droppedBytes(); }

 private:
  // DeviceHost
  void StoreReceived(const std::uint8_t* bytes, std::size_t count) override;
  int WriteKeepingLink(const std::uint8_t* bytes, std::size_t count) override;
  int WriteEndingLink(const std::uint8_t* bytes, std::size_t count) override;

  // Link thread (serial_session_link.cpp).
  void RunLinkThread();
  void RunLinkCycle();
  void ConfigureLine(SerialPort& port);
  void ConfigureAndRead();
  void ReadStep();
  void PauseReading();

  // Port handling.
  std::shared_ptr<SerialPort> CurrentPort() const;
  int WriteToPort(const std::uint8_t* bytes, std::size_t count, bool endLinkOnFailure);
  void InstallPort(std::unique_ptr<SerialPort> port,
                   std::chrono::steady_clock::time_point deadline);
  bool WaitForPrinterDevice(std::chrono::steady_clock::time_point deadline);
  void ClosePort();
  void CancelPortIo();

  void PostToWindow(unsigned message);
  void PostToDeviceThread(unsigned message, std::uintptr_t wParam = 0, std::intptr_t lParam = 0);
  void SetLastOpenError(std::string text);

  const PortOpener openPort_;
  const SessionTimings timings_;

  CDeviceObject_NULL idleDevice_{*this};
  CDeviceObject_01_00_01_00 serialDevice_{*this};
  SessionState state_{idleDevice_, serialDevice_};
  PortDiscovery discovery_;
  ReceiveRing ring_;
  ManualResetEvent dataArrived_;
  DataCallbackSlot callback_;

  std::atomic<WindowMessages*> window_{nullptr};
  std::atomic<std::uint32_t> lineBaudRate_{115200};
  std::atomic<int> stopBitsCode_{1};

  // The open port; replaced and cleared under closeLock_, used by taking a reference under it.
  std::shared_ptr<SerialPort> port_;
  std::atomic<bool> portOpen_{false};
  std::atomic<bool> linkThreadAtLock_{false};
  std::atomic<bool> linkRun_{false};

  std::mutex portLock_;           // installing a port, and the scan
  mutable std::mutex closeLock_;  // closing the port
  std::mutex writeLock_;          // one write at a time, and the final clean-up of a link
  std::mutex lifecycleLock_;      // SerialStart and SerialShutdown

  ManualResetEvent stopEvent_;  // set while the session shuts down
  ManualResetEvent scanWake_;   // ends the link thread's pause between scans early

  mutable std::mutex openErrorLock_;
  std::string lastOpenError_;

  std::array<std::uint8_t, 1024> readBuffer_{};  // link thread only
  WorkerThread linkThread_;
  DeliveryThread delivery_{ring_, dataArrived_, state_, callback_, timings_.deliveryQuiet};
  CDeviceWriteThread deviceThread_{state_};
};

}  // namespace trel
