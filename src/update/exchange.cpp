#include "update/exchange.h"

#include <algorithm>

#include "link/printer_link.h"
#include "update/record_frame.h"
#include "update/reply_channel.h"

namespace trel {
namespace {

// A frame goes out at most this often: once, and again only when replies came but none was its own.
constexpr int kMaxSends = 2;
// The clock frame's whole exchange runs at most this often.
constexpr int kClockExchanges = 2;
// A clock acknowledgement with this firmware word tells nothing: the printer has not answered.
constexpr std::uint32_t kNoFirmwareWord = 0;

using Outcome = ExchangeResult::Outcome;

// The result of every exchange but an acknowledged clock frame: no firmware word.
ExchangeResult WithoutWord(Outcome outcome) {
  return {outcome, std::nullopt};
}

using Clock = std::chrono::steady_clock;

}  // namespace

FrameExchange::FrameExchange(PrinterLink& link, ReplyChannel& replies, ExchangeSettings settings)
    : link_(link), replies_(replies), settings_(std::move(settings)) {}

ExchangeResult FrameExchange::ExchangeFrame(std::span<const std::uint8_t> frame, bool record) {
  replies_.ResetLongestReply();
  replies_.ResetReplyEvent();
  if (const std::error_code error = RecordFrame(settings_.outputPath, frame, record)) {
    // A recording with a frame missing is no recording: the job ends here.
    recordingError_ = error;
    return WithoutWord(Outcome::kNotRecorded);
  }
  if (settings_.fileOnly) {
    return WithoutWord(Outcome::kAccepted);
  }
  const ExchangeResult unanswered =
      WithoutWord(settings_.nowait ? Outcome::kAccepted : Outcome::kNoAnswer);
  for (int sends = 1;; ++sends) {
    // Checked after the event's reset: a shutdown from here on leaves the event set and ends the
    // wait. Checked before every send, so a frame never goes out again once the front end has
    // stopped, whatever ended the wait before.
    if (!replies_.accepting()) {
      return WithoutWord(Outcome::kNoAnswer);
    }
    if (!Send(frame)) {
      return WithoutWord(Outcome::kNotSent);
    }
    const std::optional<Drained> drained = AwaitReplies(frame);
    if (!drained) {
      return unanswered;  // a frame whose wait ran out is never sent again
    }
    switch (drained->ack.kind) {
      case Acknowledgement::Kind::kAccepted:
        return {Outcome::kAccepted, drained->ack.firmwareWord};
      case Acknowledgement::Kind::kRefused:
        return WithoutWord(Outcome::kRefused);
      case Acknowledgement::Kind::kNoMatch:
        break;
    }
    if (settings_.nowait || sends == kMaxSends) {
      return unanswered;
    }
  }
}

ExchangeResult FrameExchange::ExchangeClockFrame(std::span<const std::uint8_t> clockFrame) {
  ExchangeResult result;
  for (int exchanges = 0; exchanges < kClockExchanges; ++exchanges) {
    result = ExchangeFrame(clockFrame, false);
    if (result.accepted() && result.firmwareWord != kNoFirmwareWord) {
      return result;
    }
  }
  return result.accepted() ? WithoutWord(Outcome::kNoAnswer) : result;
}

bool FrameExchange::Send(std::span<const std::uint8_t> frame) {
  return link_.SerialWrite(frame.data(), frame.size()) != 0;
}

std::optional<FrameExchange::Drained> FrameExchange::AwaitReplies(
    std::span<const std::uint8_t> frame) {
  const Clock::time_point deadline = Clock::now() + settings_.replyWait;
  for (;;) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (!replies_.WaitForReply(std::max(left, std::chrono::milliseconds(0)))) {
      return std::nullopt;
    }
    // Reset before draining, so a reply that arrives while the queue is read wakes the next wait.
    replies_.ResetReplyEvent();
    if (!replies_.accepting()) {
      return std::nullopt;  // the front end is shutting down: give up at once
    }
    const Drained drained = DrainReplies(frame);
    if (drained.examined > 0) {
      return drained;
    }
    // The event was left set by a reply an earlier drain already took: keep waiting.
  }
}

FrameExchange::Drained FrameExchange::DrainReplies(std::span<const std::uint8_t> frame) {
  Drained drained;
  while (std::optional<Reply> reply = replies_.TakeOldest()) {
    ++drained.examined;
    drained.ack = MatchAcknowledgement(*reply, frame);
    if (drained.ack.kind != Acknowledgement::Kind::kNoMatch) {
      return drained;
    }
  }
  return drained;
}

}  // namespace trel
