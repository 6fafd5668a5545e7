#include "update/exchange.h"

#include <algorithm>

#include "link/printer_link.h"
#include "update/record_frame.h"
#include "update/reply_channel.h"

namespace trel {
namespace {

// A frame goes out at most this often: once, and again only when replies came but none was its own.
constexpr int kMaxSends = 2;

using Clock = std::chrono::steady_clock;

}  // namespace

FrameExchange::FrameExchange(PrinterLink& link, ReplyChannel& replies, ExchangeSettings settings)
    : link_(link), replies_(replies), settings_(std::move(settings)) {}

ExchangeResult FrameExchange::ExchangeFrame(std::span<const std::uint8_t> frame, bool record) {
  replies_.ResetLongestReply();
  replies_.ResetReplyEvent();
  RecordFrame(settings_.outputPath, frame, record);
  if (settings_.fileOnly) {
    return 1;
  }
  // Checked after the reset: a shutdown from here on leaves the event set and ends the wait.
  if (!replies_.accepting()) {
    return std::nullopt;
  }
  const ExchangeResult accepted_without_reply =
      settings_.nowait ? ExchangeResult(1) : ExchangeResult();
  for (int sends = 1;; ++sends) {
    if (!Send(frame)) {
      return std::nullopt;
    }
    const std::optional<Drained> drained = AwaitReplies(frame);
    if (!drained) {
      return accepted_without_reply;  // a frame whose wait ran out is never sent again
    }
    if (drained->kind == Acknowledgement::Kind::kAccepted) {
      return drained->word;
    }
    if (drained->kind == Acknowledgement::Kind::kRefused) {
      return std::nullopt;
    }
    if (settings_.nowait || sends == kMaxSends) {
      return accepted_without_reply;
    }
  }
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
    const Acknowledgement ack = MatchAcknowledgement(*reply, frame);
    if (ack.kind != Acknowledgement::Kind::kNoMatch) {
      drained.kind = ack.kind;
      drained.word = ack.word;
      return drained;
    }
  }
  return drained;
}

}  // namespace trel
