#pragma once
// The serial session's threads, locks and flags; included by the session's own source files only.

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "link/data_callback_slot.h"
#include "link/delivery_thread.h"
#include "link/device_object.h"
#include "link/device_write_thread.h"
#include "link/port_discovery.h"
#include "link/receive_ring.h"
#include "link/serial_session.h"
#include "link/session_state.h"
#include "link/worker_thread.h"
#include "platform/manual_reset_event.h"
#include "platform/serial_port.h"
#include "platform/window_messages.h"

namespace trel {

class SerialSession::Impl final : private DeviceHost {
 public:
  explicit Impl(SessionDependencies dependencies);
  Impl(const Impl&) = delete;
  Impl& operator=(const Impl&) = delete;
  ~Impl() override;

  void SerialSetDataCallback(SerialDataCallback callback);
  int SerialStart(WindowMessages* window);
  int SerialSetLine(int stopBitsCode, std::uint32_t baudRate);
  int SerialOpen(const std::string& portName);
  int SerialWrite(const std::uint8_t* bytes, std::size_t count);
  int SerialClose();
  std::string lastOpenError() const;
  int SerialShutdown();
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
