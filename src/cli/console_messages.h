#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>

#include "link/thread_message.h"
#include "platform/window_messages.h"

namespace trel {

// The command line's stand-in for the window's message queue: the engine's threads post, the main
// thread takes the messages in order and handles them, as the window's procedure would.
class ConsoleMessages : public WindowMessages {
 public:
  void post(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override;
  // Waits for the next message and takes it out of the queue.
  ThreadMessage take();

 private:
  std::mutex mutex_;
  std::condition_variable posted_;
  std::deque<ThreadMessage> queue_;
};

}  // namespace trel
