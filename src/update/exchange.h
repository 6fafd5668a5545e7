#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <system_error>

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

// What became of one frame.
struct ExchangeResult {
  enum class Outcome {
    kAccepted,     // acknowledged, or counted as accepted without an acknowledgement (file-only,
                   // nowait)
    kRefused,      // the printer refused it
    kNoAnswer,     // no acknowledgement of its own came (or the front end shut down)
    kNotSent,      // the write failed: the port closed or went away
    kNotRecorded,  // the output file did not take the frame; it was not sent
  };
  Outcome outcome = Outcome::kNoAnswer;
  // The firmware word from the clock frame's own acknowledgement; nothing for every other frame and
  // for a clock frame counted as accepted without an acknowledgement.
  std::optional<std::uint32_t> firmwareWord;

  bool accepted() const { return outcome == Outcome::kAccepted; }
};

// Sends frames to the printer one at a time and waits for each acknowledgement.
class FrameExchange {
 public:
  FrameExchange(PrinterLink& link, ReplyChannel& replies, ExchangeSettings settings);

  // Records the frame when asked (and an output file is set), then unless the job only records:
  // writes it, waits for the reply event, and matches the queued replies oldest first. The frame
  // goes out a second time only when replies came but none of them belonged to it.
  ExchangeResult ExchangeFrame(std::span<const std::uint8_t> frame, bool record);

  // The clock frame, never recorded. Its whole exchange runs once more, with the same bytes, when
  // the first one is not accepted or its acknowledgement carries the firmware word 0, which is the
  // printer saying nothing; a second word 0 ends as no answer.
  ExchangeResult ExchangeClockFrame(std::span<const std::uint8_t> clockFrame);

  // Why the output file did not take a frame; empty while every recorded frame went in.
  std::error_code recordingError() const { return recordingError_; }

 private:
  struct Drained {
    Acknowledgement ack;       // of the reply that belonged to the frame, if one did
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
  std::error_code recordingError_;
};

}  // namespace trel
