#pragma once

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <span>
#include <vector>

namespace trel {

// Counts the frames a job writes to its printer. A frame written again right after itself is a
// resend: the exchange's second try, or the clock frame's second exchange; a new frame always
// carries the next sequence number, so it never equals the one before. Written by the job's
// worker, read by any thread.
class SentFrames {
 public:
  void count(std::span<const std::uint8_t> frame) {
    if (std::equal(frame.begin(), frame.end(), last_.begin(), last_.end())) {
      ++resends_;
    }
    last_.assign(frame.begin(), frame.end());
    ++sent_;
  }
  int sent() const { return sent_.load(); }
  int resends() const { return resends_.load(); }

 private:
  std::atomic<int> sent_{0};
  std::atomic<int> resends_{0};
  std::vector<std::uint8_t> last_;  // the worker's alone
};

}  // namespace trel
