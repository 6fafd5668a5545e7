#pragma once

#include <chrono>

#include "link/device_object.h"
#include "link/session_state.h"
#include "link/thread_message.h"
#include "link/thread_message_queue.h"
#include "link/worker_thread.h"

namespace trel {

// The type record that a kTypeRecordMessage carries in its two arguments.
TypeRecord TypeRecordFromMessage(std::uintptr_t wParam, std::intptr_t lParam);

// The device message thread: switches the session's current device object on the link's messages
// (link up, type record, link down) until WM_QUIT.
class CDeviceWriteThread {
 public:
  explicit CDeviceWriteThread(SessionState& state) : state_(state) {}
  CDeviceWriteThread(const CDeviceWriteThread&) = delete;
  CDeviceWriteThread& operator=(const CDeviceWriteThread&) = delete;
  ~CDeviceWriteThread() { Stop(std::chrono::milliseconds(0)); }

  bool Start();
  // Queues a message for the thread; never blocks for long.
  void PostThreadMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam);
  // Posts WM_QUIT and waits for the thread; false when it took longer than `limit`.
  bool Stop(std::chrono::milliseconds limit);

  // The filter every message passes before dispatch; true when it was consumed. Runs on the thread.
  bool PreTranslateMessage(const ThreadMessage& message);

 private:
  void Run();
  void OnLinkUp();
  void OnLinkDown();
  void SelectFromTypeRecord(const TypeRecord& record);
  // The current object's verdict while a link is up, else: consumed when numbered WM_USER or above.
  bool FilterThroughCurrent(const ThreadMessage& message, bool idleMayFilter);

  SessionState& state_;
  ThreadMessageQueue queue_;
  WorkerThread thread_;
};

}  // namespace trel
