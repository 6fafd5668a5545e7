#include "update/reply_channel.h"

#include <new>

#include "platform/window_messages.h"

namespace trel {

ReplyChannel::ReplyChannel(WindowMessages& messages) : messages_(messages) {}

int ReplyChannel::OnReply(std::uint32_t length, const std::uint8_t* bytes) {
  if (!accepting_.load() || (length > 0 && bytes == nullptr)) {
    return 0;
  }
  try {
    Reply reply(bytes, bytes + length);
    std::lock_guard<std::mutex> hold(lock_);
    queue_.push_front(std::move(reply));
  } catch (const std::bad_alloc&) {
    // The sender then sees a time-out or sends its frame again; nothing else is lost.
    return 0;
  }
  RaiseLongestReply(length);
  messages_.post(WM_UPDATE_STATUS, kStatusReply, 0);
  replyEvent_.Set();
  return static_cast<int>(length);
}

SerialDataCallback ReplyChannel::dataCallback() {
  return [this](std::uint32_t, std::uint32_t length, const std::uint8_t* bytes) {
    return OnReply(length, bytes);
  };
}

void ReplyChannel::StopAccepting() {
  accepting_.store(false);
  replyEvent_.Set();
}

std::optional<Reply> ReplyChannel::TakeOldest() {
  std::lock_guard<std::mutex> hold(lock_);
  if (queue_.empty()) {
    return std::nullopt;
  }
  Reply oldest = std::move(queue_.back());
  queue_.pop_back();
  return oldest;
}

void ReplyChannel::Clear() {
  std::deque<Reply> freed;
  {
    std::lock_guard<std::mutex> hold(lock_);
    freed.swap(queue_);
  }
}

void ReplyChannel::RaiseLongestReply(std::uint32_t length) {
  std::uint32_t longest = longestReply_.load();
  while (length > longest && !longestReply_.compare_exchange_weak(longest, length)) {
  }
}

}  // namespace trel
