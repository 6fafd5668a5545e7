#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>

#include "update/acknowledgement.h"

namespace trel {

class PrinterLink;
class ReplyChannel;

// How long a sent frame waits for the printer's reply.
inline constexpr std::chrono::milliseconds kReplyWait{2000};

// The job's settings that steer every exchange.
struct ExchangeSettings {
  bool fileOnly = false;  // record frames, send nothing
  bool nowait = false;    // a frame whose acknowledgement does not come counts as accepted
  std::filesystem::path outputPath;  // where recorded frames go; empty when none
  std::chrono::milliseconds replyWait = kReplyWait;
};

// The result of one exchange: nothing when the frame failed (write failure, refusal, no answer);
// else 1, or for the clock frame the firmware word of its acknowledgement.
using ExchangeResult = std::optional<std::uint32_t>;

// Sends frames to the printer one at a time and waits for each acknowledgement.
class FrameExchange {
 public:
  FrameExchange(PrinterLink& link, ReplyChannel& replies, ExchangeSettings settings);

  // Records the frame when asked (and an output file is set), then unless the job only records:
  // writes it, waits for the reply event, and matches the queued replies oldest first. The frame
  // goes out a second time only when replies came but none of them belonged to it.
  ExchangeResult ExchangeFrame(std::span<const std::uint8_t> frame, bool record);

 private:
  struct Drained {
    Acknowledgement::Kind kind = Acknowledgement::Kind::kNoMatch;
    std::uint32_t word = 0;
    std::size_t examined = 0;  // replies taken from the queue
  };
  // Takes queued replies oldest first until one belongs to the frame.
  Drained DrainReplies(std::span<const std::uint8_t> frame);
  // Waits for replies to the frame sent last; nothing when the wait ran out or the channel shut.
  std::optional<Drained> AwaitReplies(std::span<const std::uint8_t> frame);
  bool Send(std::span<const std::uint8_t> frame);

  PrinterLink& link_;
  ReplyChannel& replies_;
  ExchangeSettings settings_;
};

}  // namespace trel
