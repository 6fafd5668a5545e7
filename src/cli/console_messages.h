#pragma once

#include <cstdint>

#include "link/thread_message_queue.h"
#include "platform/window_messages.h"

namespace trel {

// The command line's stand-in for the window's message queue: the engine's threads post, the main
// thread takes the messages in order and handles them, as the window's procedure would.
class ConsoleMessages : public WindowMessages {
 public:
  void post(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override;
  // Waits for the next message and takes it out of the queue.
  ThreadMessage take() { return queue_.take(); }

 private:
  ThreadMessageQueue queue_;
};

}  // namespace trel
