#pragma once

#include <chrono>
#include <cstdint>
#include <span>

#include "cli/job_output.h"

namespace trel {

// `--trace`: one line for each frame written to the printer and each burst read from it, in hex,
// stamped with the milliseconds since the trace began.
class TracePrinter {
 public:
  explicit TracePrinter(JobOutput& output)
      : output_(output), origin_(std::chrono::steady_clock::now()) {}

  void sent(std::span<const std::uint8_t> bytes) { print("sent    ", bytes); }
  void received(std::span<const std::uint8_t> bytes) { print("received", bytes); }

 private:
  void print(const char* direction, std::span<const std::uint8_t> bytes);

  JobOutput& output_;
  const std::chrono::steady_clock::time_point origin_;
};

}  // namespace trel
