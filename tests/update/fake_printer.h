#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "link/printer_link.h"
#include "platform/message_boxes.h"
#include "platform/window_messages.h"
#include "update/frame.h"
#include "update/reply_channel.h"

namespace trel::testing {

// The acknowledgement a printer gives a frame: FE, its checksum, its sequence byte, R2, R3, R4.
Reply Ack(const Frame& frame, std::uint8_t r2 = 0, std::uint8_t r3 = 0, std::uint8_t r4 = 0);

// A printer behind PrinterLink that keeps every frame written to it and answers through the reply
// channel: at once on the writing thread, or from a thread of its own as the link's delivery thread
// does.
class FakePrinter : public PrinterLink {
 public:
  // The replies to the n-th frame written (from 1). By default every frame is acknowledged, the
  // clock frame with the firmware fields below.
  std::function<std::vector<Reply>(const Frame& frame, int number)> answer;
  int firmwareLevel = 2;
  int itemsNeeded = 2;
  int escapeSelector = 0;
  bool opens = true;

  explicit FakePrinter(ReplyChannel& replies, bool answersFromOwnThread = false);
  ~FakePrinter() override;

  int SerialSetLine(int, std::uint32_t) override { return 1; }
  int SerialOpen(const std::string& portName) override;
  int SerialWrite(const std::uint8_t* bytes, std::size_t count) override;
  int SerialClose() override;
  std::string lastOpenError() const override { return {}; }

  std::vector<Frame> written() const;
  int closeCount() const;

 private:
  void Deliver(const std::vector<Reply>& replies);
  void DeliverFromOwnThread();

  ReplyChannel& replies_;
  mutable std::mutex mutex_;
  std::condition_variable pendingChanged_;
  std::vector<Frame> written_;
  std::deque<Reply> pending_;
  bool open_ = false;
  bool stopping_ = false;
  int closeCount_ = 0;
  std::thread deliverer_;
};

// Front-end services that keep what the engine told them.
class RecordedFrontEnd : public WindowMessages, public MessageBoxes {
 public:
  struct Post {
    std::uintptr_t wParam;
    std::intptr_t lParam;
  };
  void post(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override;
  void show(const std::string& text, const std::string& caption) override;
  std::vector<Post> posts() const;         // of WM_UPDATE_STATUS
  std::vector<std::string> boxes() const;  // "caption: text"

 private:
  mutable std::mutex mutex_;
  std::vector<Post> posts_;
  std::vector<std::string> boxes_;
};

}  // namespace trel::testing
