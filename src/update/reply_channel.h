#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <vector>

#include "link/printer_link.h"
#include "platform/manual_reset_event.h"

namespace trel {

class WindowMessages;

using Reply = std::vector<std::uint8_t>;

// Where the printer's replies wait for the exchange: the reply queue with its lock, the reply event
// that wakes the sender, the accept-replies flag and the length of the longest reply of the current
// exchange. The front end owns one for the life of its window and hands OnReply to the link.
class ReplyChannel {
 public:
  // Each delivered reply posts WM_UPDATE_STATUS (kStatusReply, 0) to these messages.
  explicit ReplyChannel(WindowMessages& messages);
  ReplyChannel(const ReplyChannel&) = delete;
  ReplyChannel& operator=(const ReplyChannel&) = delete;

  // Delivery thread: queues one burst of received bytes as one reply, posts a progress step and
  // wakes the sender. Returns the length taken, 0 when the reply was ignored (not accepting, or no
  // memory for it).
  int OnReply(std::uint32_t length, const std::uint8_t* bytes);
  // OnReply bound to this channel, for PrinterLink's data callback.
  SerialDataCallback dataCallback();

  // Shutdown: ignore every later reply, and wake a sender waiting for one.
  void StopAccepting();
  bool accepting() const { return accepting_.load(); }

  // The oldest queued reply, taken out of the queue; nothing when it is empty.
  std::optional<Reply> TakeOldest();
  // Frees every queued reply.
  void Clear();

  void ResetReplyEvent() { replyEvent_.Reset(); }
  // True when a reply arrived (or shutdown woke the sender) within the limit.
  bool WaitForReply(std::chrono::milliseconds limit) const { return replyEvent_.Wait(limit); }

  // Length of the longest reply delivered since the current exchange began.
  std::uint32_t longestReply() const { return longestReply_.load(); }
  void ResetLongestReply() { longestReply_.store(0); }

 private:
  void RaiseLongestReply(std::uint32_t length);

  WindowMessages& messages_;
  std::mutex lock_;          // guards queue_ only, for one insertion or removal at a time
  std::deque<Reply> queue_;  // newest at the front, oldest at the back
  ManualResetEvent replyEvent_;
  std::atomic<bool> accepting_{true};
  std::atomic<std::uint32_t> longestReply_{0};
};

}  // namespace trel
