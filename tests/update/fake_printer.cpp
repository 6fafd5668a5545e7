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
  pendingChanged_.notify_all();
  if (deliverer_.joinable()) {
    deliverer_.join();
  }
}

int FakePrinter::SerialOpen(const std::string&) {
  std::lock_guard<std::mutex> hold(mutex_);
  open_ = opens;
  return open_ ? 1 : 0;
}

int FakePrinter::SerialWrite(const std::uint8_t* bytes, std::size_t count) {
  const Frame frame(bytes, bytes + count);
  int number = 0;
  {
    std::lock_guard<std::mutex> hold(mutex_);
    if (!open_) {
      return 0;
    }
    written_.push_back(frame);
    number = static_cast<int>(written_.size());
  }
  if (answer) {
    Deliver(answer(frame, number));
  } else if (frame[kFrameCommandOffset] == kCommandClock) {
    Deliver(
        {Ack(frame, static_cast<std::uint8_t>(firmwareLevel),
             static_cast<std::uint8_t>(itemsNeeded), static_cast<std::uint8_t>(escapeSelector))});
  } else {
    Deliver({Ack(frame)});
  }
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

int FakePrinter::closeCount() const {
  std::lock_guard<std::mutex> hold(mutex_);
  return closeCount_;
}

void FakePrinter::Deliver(const std::vector<Reply>& replies) {
  if (deliverer_.joinable()) {
    std::lock_guard<std::mutex> hold(mutex_);
    pending_.insert(pending_.end(), replies.begin(), replies.end());
    pendingChanged_.notify_all();
    return;
  }
  for (const Reply& reply : replies) {
    replies_.OnReply(static_cast<std::uint32_t>(reply.size()), reply.data());
  }
}

void FakePrinter::DeliverFromOwnThread() {
  std::unique_lock<std::mutex> hold(mutex_);
  for (;;) {
    pendingChanged_.wait(hold, [this] { return stopping_ || !pending_.empty(); });
    if (stopping_) {
      return;
    }
    const Reply reply = std::move(pending_.front());
    pending_.pop_front();
    hold.unlock();
    replies_.OnReply(static_cast<std::uint32_t>(reply.size()), reply.data());
    hold.lock();
  }
}

void RecordedFrontEnd::post(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
  std::lock_guard<std::mutex> hold(mutex_);
  if (message == WM_UPDATE_STATUS) {
    posts_.push_back({wParam, lParam});
  }
}

void RecordedFrontEnd::show(const std::string& text, const std::string& caption) {
  std::lock_guard<std::mutex> hold(mutex_);
  boxes_.push_back(caption + ": " + text);
}

std::vector<RecordedFrontEnd::Post> RecordedFrontEnd::posts() const {
  std::lock_guard<std::mutex> hold(mutex_);
  return posts_;
}

std::vector<std::string> RecordedFrontEnd::boxes() const {
  std::lock_guard<std::mutex> hold(mutex_);
  return boxes_;
}

}  // namespace trel::testing
