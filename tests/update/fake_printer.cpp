#include "update/fake_printer.h"

namespace trel::testing {

Reply Ack(const Frame& frame, std::uint8_t r2, std::uint8_t r3, std::uint8_t r4) {
  return {kFrameStart, frame[frame.size() - 3], frame[kFrameSequenceOffset], r2, r3, r4, 0, 0};
}

FakePrinter::FakePrinter(ReplyChannel& replies, bool answersFromOwnThread) : replies_(replies) {
  if (answersFromOwnThread) {
    deliverer_ = std::thread([this] { DeliverFromOwnThread(); });
  }
}

FakePrinter::~FakePrinter() {
  {
    std::lock_guard<std::mutex> hold(mutex_);
    stopping_ = true;
  }
  pending_changed_.notify_all();
  if (deliverer_.joinable()) {
    deliverer_.join();
  }
}

int FakePrinter::SerialOpen(const std::string& portName) {
  std::lock_guard<std::mutex> hold(mutex_);
  opened_.push_back(portName);
  open_ = opens;
  return open_ ? 1 : 0;
}

int FakePrinter::SerialWrite(const std::uint8_t* bytes, std::size_t count) {
  Frame frame(bytes, bytes + count);
  int number = 0;
  {
    std::lock_guard<std::mutex> hold(mutex_);
    if (!open_) {
      return 0;
    }
    written_.push_back(frame);
    number = static_cast<int>(written_.size());
  }
  std::vector<Reply> replies = answer ? answer(frame, number) : DefaultAnswer(frame);
  if (!deliverer_.joinable()) {
    for (const Reply& reply : replies) {
      replies_.OnReply(static_cast<std::uint32_t>(reply.size()), reply.data());
    }
    return 1;
  }
  {
    std::lock_guard<std::mutex> hold(mutex_);
    pending_.insert(pending_.end(), replies.begin(), replies.end());
  }
  pending_changed_.notify_all();
  return 1;
}

int FakePrinter::SerialClose() {
  std::lock_guard<std::mutex> hold(mutex_);
  open_ = false;
  ++closeCount_;
  return 1;
}

std::vector<Frame> FakePrinter::written() const {
  std::lock_guard<std::mutex> hold(mutex_);
  return written_;
}

std::vector<std::string> FakePrinter::opened() const {
  std::lock_guard<std::mutex> hold(mutex_);
  return opened_;
}

int FakePrinter::closeCount() const {
  std::lock_guard<std::mutex> hold(mutex_);
  return closeCount_;
}

std::vector<Reply> FakePrinter::DefaultAnswer(const Frame& frame) const {
  if (frame[kFrameCommandOffset] == kCommandClock) {
    return {Ack(frame, static_cast<std::uint8_t>(firmwareLevel),
                static_cast<std::uint8_t>(itemsNeeded), static_cast<std::uint8_t>(escapeSelector))};
  }
  return {Ack(frame)};
}

void FakePrinter::DeliverFromOwnThread() {
  std::unique_lock<std::mutex> hold(mutex_);
  for (;;) {
    pending_changed_.wait(hold, [this] { return stopping_ || !pending_.empty(); });
    if (stopping_) {
      return;
    }
    Reply reply = std::move(pending_.front());
    pending_.pop_front();
    hold.unlock();
    replies_.OnReply(static_cast<std::uint32_t>(reply.size()), reply.data());
    hold.lock();
  }
}

void RecordedMessages::post(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
  std::lock_guard<std::mutex> hold(mutex_);
  posts_.push_back({message, wParam, lParam});
}

std::vector<RecordedMessages::Post> RecordedMessages::posts() const {
  std::lock_guard<std::mutex> hold(mutex_);
  return posts_;
}

void RecordedBoxes::show(const std::string& text, const std::string& caption) {
  std::lock_guard<std::mutex> hold(mutex_);
  boxes_.push_back(caption + ": " + text);
}

std::vector<std::string> RecordedBoxes::boxes() const {
  std::lock_guard<std::mutex> hold(mutex_);
  return boxes_;
}

}  // namespace trel::testing
