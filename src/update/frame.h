#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace trel {

// One packet to the printer: FE, length (payload + 1), sequence, command, argument, payload,
// checksum, FF FF. The checksum is the sum of sequence, command, argument and payload modulo 254,
// so it can never be mistaken for a start or end byte.
using Frame = std::vector<std::uint8_t>;

inline constexpr std::uint8_t kFrameStart = 0xFE;
inline constexpr std::uint8_t kFrameEnd = 0xFF;
inline constexpr std::size_t kFrameOverhead = 8;  // every byte of a frame but its payload
inline constexpr unsigned kChecksumModulus = 254;

// Byte offsets inside a frame.
inline constexpr std::size_t kFrameLengthOffset = 1;
inline constexpr std::size_t kFrameSequenceOffset = 2;
inline constexpr std::size_t kFrameCommandOffset = 3;
inline constexpr std::size_t kFrameArgumentOffset = 4;
inline constexpr std::size_t kFramePayloadOffset = 5;

// Commands the printer understands.
inline constexpr std::uint8_t kCommandClock = 6;
inline constexpr std::uint8_t kCommandParameterData = 92;
inline constexpr std::uint8_t kCommandParameterEnd = 0;
inline constexpr std::uint8_t kCommandKeyword = 83;

// The sequence value of the first frame of every job (the clock frame); only its acknowledgement
// carries data.
inline constexpr std::uint8_t kFirstSequence = 3;
// While a job asks the printer to reboot, the frame with counter value 4 carries this instead.
inline constexpr std::uint8_t kRebootCounterValue = 4;
inline constexpr std::uint8_t kRebootSequence = 20;

// The sequence byte a counter value goes out as.
std::uint8_t SequenceByte(std::uint8_t counter, bool reboot);

// The checksum of a frame with these fields.
std::uint8_t FrameChecksum(std::uint8_t sequenceByte, std::uint8_t command, std::uint8_t argument,
                           std::span<const std::uint8_t> payload);

// The frame for one counter value; its length is payload.size() + kFrameOverhead.
Frame BuildFrame(std::uint8_t counter, std::uint8_t command, std::uint8_t argument,
                 std::span<const std::uint8_t> payload, bool reboot);

// The frame that ends one keyword file: command 83, the closing code as its argument and the file's
// index within the job as its one payload byte.
Frame BuildClosingFrame(std::uint8_t counter, std::uint8_t closingCode, std::uint8_t fileIndex,
                        bool reboot);

// Takes the counter's current value for a frame and advances it, wrapping from 255 to 0.
std::uint8_t TakeSequence(std::uint8_t& counter);

}  // namespace trel
