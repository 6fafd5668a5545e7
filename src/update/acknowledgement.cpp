#include "update/acknowledgement.h"

#include <algorithm>
#include <optional>

#include "update/frame.h"

namespace trel {
namespace {

// Offset of the first byte after the reply's start (and after a doubled start byte), or nothing
// when no start byte stands among the first bytes.
std::optional<std::size_t> ReplyBodyOffset(std::span<const std::uint8_t> reply) {
  const std::size_t searched = std::min(reply.size(), kMaxBytesBeforeReplyStart + 1);
  const auto start = std::find(reply.begin(), reply.begin() + searched, kFrameStart);
  if (start == reply.begin() + searched) {
    return std::nullopt;
  }
  std::size_t body = static_cast<std::size_t>(start - reply.begin()) + 1;
  if (body < reply.size() && reply[body] == kFrameStart) {
    ++body;
  }
  return body;
}

// Only the clock frame's acknowledgement carries the firmware word. A later frame whose counter has
// wrapped round to the same sequence value is acknowledged like any other.
bool CarriesFirmwareWord(std::span<const std::uint8_t> sentFrame) {
  return sentFrame[kFrameSequenceOffset] == kFirstSequence &&
         sentFrame[kFrameCommandOffset] == kCommandClock;
}

}  // namespace

Acknowledgement MatchAcknowledgement(std::span<const std::uint8_t> reply,
                                     std::span<const std::uint8_t> sentFrame) {
  if (sentFrame.size() < kFrameOverhead) {
    return {};
  }
  const std::optional<std::size_t> body = ReplyBodyOffset(reply);
  if (!body) {
    return {};
  }
  const bool wantsWord = CarriesFirmwareWord(sentFrame);
  const std::size_t bytesRead = wantsWord ? 5 : 3;  // R0..R4, or R0..R2
  if (reply.size() - *body < bytesRead) {
    return {};
  }
  const std::span<const std::uint8_t> r = reply.subspan(*body, bytesRead);
  const std::uint8_t sentChecksum = sentFrame[sentFrame.size() - 3];
  if (r[0] != sentChecksum || r[1] != sentFrame[kFrameSequenceOffset]) {
    return {};
  }
  if (r[2] == kRefusalCode) {
    return {Acknowledgement::Kind::kRefused, std::nullopt};
  }
  if (!wantsWord) {
    return {Acknowledgement::Kind::kAccepted, std::nullopt};
  }
  const std::uint32_t word =
      (static_cast<std::uint32_t>(r[4]) << 16) | (static_cast<std::uint32_t>(r[2]) << 8) | r[3];
  return {Acknowledgement::Kind::kAccepted, word};
}

}  // namespace trel
