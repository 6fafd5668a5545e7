#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "link/port_discovery.h"
#include "link/waitable_log.h"
#include "platform/window_messages.h"

namespace trel::testing {

struct PostedMessage {
  unsigned message;
  std::uintptr_t wParam;
  std::intptr_t lParam;
};

// A window that keeps what it was posted.
class RecordingWindow : public WindowMessages, public WaitableLog<PostedMessage> {
 public:
  void post(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override {
    Add({message, wParam, lParam});
  }

  // Waits (up to 5 s) until `message` was posted `times` times in all; true when it was.
  bool WaitFor(unsigned message, long times = 1) {
    return Count(WaitUntil([&](const auto& posted) { return Count(posted, message) >= times; }),
                 message) >= times;
  }

  static long Count(const std::vector<PostedMessage>& posted, unsigned message) {
    return std::count_if(posted.begin(), posted.end(),
                         [&](const PostedMessage& p) { return p.message == message; });
  }
};

// The port names a discovery posted to the window, unpacked, in order; every post must be one.
inline std::vector<std::string> ReportedPortNames(RecordingWindow& window) {
  std::vector<std::string> names;
  for (const auto& posted : window.items()) {
    EXPECT_EQ(posted.message, WM_PORT_FOUND);
    names.push_back(UnpackPortName(posted.wParam, posted.lParam));
  }
  return names;
}

}  // namespace trel::testing
