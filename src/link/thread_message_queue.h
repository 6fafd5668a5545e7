#pragma once

#include <condition_variable>
#include <deque>
#include <mutex>

#include "link/thread_message.h"

namespace trel {

// The message queue of a thread that handles posted messages in order: any thread posts, the owning
// thread takes them one by one, waiting while there are none.
class ThreadMessageQueue {
 public:
  void post(const ThreadMessage& message);
  // Waits for the next message and takes it out of the queue.
  ThreadMessage take();
  // Forgets every message not yet taken.
  void clear();

 private:
  std::mutex mutex_;
  std::condition_variable posted_;
  std::deque<ThreadMessage> queue_;
};

}  // namespace trel
