#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace trel {

// What one reply says about a sent frame.
struct Acknowledgement {
  enum class Kind {
    kNoMatch,   // the reply belongs to no frame of this exchange
    kRefused,   // the printer refused the frame
    kAccepted,  // the printer took the frame
  };
  Kind kind = Kind::kNoMatch;
  // With kAccepted, for the clock frame only: the printer's firmware word (R4 << 16 | R2 << 8 |
  // R3).
  std::optional<std::uint32_t> firmwareWord;
};

// The refusal code in the reply's third byte after the start.
inline constexpr std::uint8_t kRefusalCode = 3;
// The reply's start byte may be preceded by at most this many bytes of line noise.
inline constexpr std::size_t kMaxBytesBeforeReplyStart = 3;

// Reads a reply: its first FE within the first four bytes starts it (a doubled FE counts once); the
// next bytes must echo the frame's checksum and sequence byte. A reply too short for the bytes the
// match reads matches nothing.
Acknowledgement MatchAcknowledgement(std::span<const std::uint8_t> reply,
                                     std::span<const std::uint8_t> sentFrame);

}  // namespace trel
