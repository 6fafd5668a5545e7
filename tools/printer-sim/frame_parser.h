#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace printer_sim {

// One frame as the printer sees it on the line: FE, length, sequence, command, argument, payload,
// checksum (mod 254) and FF FF.
struct ReceivedFrame {
  bool good = false;
  std::string fault;  // why a bad frame was refused: "checksum" or "end bytes"
  std::uint8_t sequence = 0;
  std::uint8_t command = 0;
  std::uint8_t argument = 0;
  std::vector<std::uint8_t> payload;
  std::uint8_t checksum = 0;        // as received
  std::vector<std::uint8_t> bytes;  // the whole frame as received
};

inline constexpr std::uint8_t kFrameStart = 0xFE;
inline constexpr std::uint8_t kFrameEnd = 0xFF;

// (sequence + command + argument + payload bytes) mod 254.
std::uint8_t FrameChecksum(std::uint8_t sequence, std::uint8_t command, std::uint8_t argument,
                           const std::vector<std::uint8_t>& payload);

// Cuts frames out of the received byte stream. Bytes before a start byte are skipped. A frame whose
// end bytes are wrong had a wrong length, so the search starts again just after its start byte; a
// frame with good end bytes but a wrong checksum is dropped whole.
class FrameParser {
 public:
  // Appends received bytes and returns the frames they complete, good and bad, in order.
  std::vector<ReceivedFrame> feed(const std::uint8_t* bytes, std::size_t count);
  // For when the sender has gone quiet with a frame incomplete: its start byte was noise or its
  // length byte was wrong. Drops the start bytes one by one, returning any frame found behind them,
  // until nothing incomplete is left.
  std::vector<ReceivedFrame> resync();
  bool hasPartial() const { return !pending_.empty(); }

 private:
  std::vector<ReceivedFrame> takeFrames();
  // Takes one frame off the front of pending_ when it is complete.
  bool takeFrame(ReceivedFrame& frame);

  std::vector<std::uint8_t> pending_;
};

}  // namespace printer_sim
