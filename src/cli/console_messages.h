#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>

#include "platform/window_messages.h"

namespace trel {

struct PostedMessage {
  unsigned message = 0;
  std::uintptr_t wParam = 0;
  std::intptr_t lParam = 0;
};

// The command line's stand-in for the window's message queue: the engine's threads post, the main
// thread takes the messages in order and handles them, as the window's procedure would.
class ConsoleMessages : public WindowMessages {
 public:
  void post(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override;
  // Waits for the next message and takes it out of the queue.
  PostedMessage take();

 private:
  std::mutex mutex_;
  std::condition_variable posted_;
  std::deque<PostedMessage> queue_;
};

}  // namespace trel
