#pragma once

#include <chrono>
#include <mutex>
#include <optional>
#include <ostream>
#include <string>

#include "cli/job_output.h"

namespace trel {

// How `trel send` to one printer and `trel record` talk to the operator on stderr. On a terminal
// the progress is one line redrawn in place below the other lines that ends with the job's
// outcome; elsewhere it is a plain line every ten steps and the outcome is a line of its own.
class ConsoleOutput : public JobOutput {
 public:
  ConsoleOutput(std::ostream& stream, bool terminal) : stream_(stream), terminal_(terminal) {}

  void line(const std::string& text) override;
  void progress(int position) override;
  void frameSent() override;
  void finish(const std::string& outcome) override;

 private:
  using Clock = std::chrono::steady_clock;

  // The progress line as it stands now, without a line end.
  std::string progressText() const;
  void drawProgress();
  void clearProgress();

  std::mutex mutex_;
  std::ostream& stream_;
  const bool terminal_;
  int position_ = 0;
  int framesSent_ = 0;
  std::optional<Clock::time_point> started_;
  bool progressShown_ = false;
};

}  // namespace trel
