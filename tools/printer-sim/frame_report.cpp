#include "frame_report.h"

#include <cstdio>
#include <string>

#include "hex_bytes.h"

namespace printer_sim {
namespace {

constexpr std::uint8_t kParameterDataCommand = 92;
constexpr std::uint8_t kParameterEndCommand = 0;
constexpr std::uint8_t kKeywordCommand = 83;

std::string TwoDigits(std::uint8_t bcd) {
  return HexText({bcd});
}

std::string ClockMeaning(const ReceivedFrame& frame) {
  if (frame.payload.size() < 5) {
    return "clock (short payload)";
  }
  const auto& p = frame.payload;
  return "clock 20" + TwoDigits(frame.argument) + "-" + TwoDigits(p[0]) + "-" + TwoDigits(p[1]) +
         " " + TwoDigits(p[2]) + ":" + TwoDigits(p[3]) + ":" + TwoDigits(p[4]);
}

std::string KeywordMeaning(std::uint8_t type) {
  switch (type) {
    case 1:
      return "keyword header";
    case 2:
      return "first-level key";
    case 3:
      return "second-level key";
    case 4:
      return "translation source";
    case 5:
      return "translation text";
    case 6:
      return "keyword end (main file)";
    case 22:
      return "keyword end (extra file)";
    default:
      return "keyword frame of unknown type " + std::to_string(type);
  }
}

// What the frame carries, in words.
std::string Meaning(const ReceivedFrame& frame) {
  switch (frame.command) {
    case kClockCommand:
      return ClockMeaning(frame);
    case kParameterDataCommand:
      return "parameter data " + std::to_string(frame.argument) + ", " +
             std::to_string(frame.payload.size()) + " bytes";
    case kParameterEndCommand:
      return "parameter end";
    case kKeywordCommand:
      return KeywordMeaning(frame.argument);
    default:
      return "unknown command";
  }
}

std::string AnswerText(const FrameAnswer& answer) {
  std::string text = answer.dropped ? "no answer (dropped)" : "answer " + HexText(answer.bytes);
  if (answer.hangUpAfter) {
    text += ", then hang-up";
  }
  return text;
}

std::string JsonString(const std::string& text) {
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      quoted += '\\';
    }
    quoted += c;
  }
  return quoted + "\"";
}

}  // namespace

std::string DescribeFrame(const ReceivedFrame& frame, const FrameAnswer* answer) {
  if (!frame.good || answer == nullptr) {
    return "bad frame (" + frame.fault + "), not answered: " + HexText(frame.bytes);
  }
  char header[96];
  std::snprintf(header, sizeof header, "#%u seq %u cmd %u arg 0x%02X", answer->frameNumber,
                frame.sequence, frame.command, frame.argument);
  return std::string(header) + " (" + Meaning(frame) + ") payload [" + HexText(frame.payload) +
         "] -> " + AnswerText(*answer);
}

std::string FrameJsonLine(const ReceivedFrame& frame, const FrameAnswer* answer) {
  if (!frame.good || answer == nullptr) {
    return "{\"good\":false,\"fault\":" + JsonString(frame.fault) +
           ",\"bytes\":" + JsonString(HexText(frame.bytes, '\0')) + "}";
  }
  return "{\"good\":true,\"frame\":" + std::to_string(answer->frameNumber) +
         ",\"sequence\":" + std::to_string(frame.sequence) +
         ",\"command\":" + std::to_string(frame.command) +
         ",\"argument\":" + std::to_string(frame.argument) +
         ",\"meaning\":" + JsonString(Meaning(frame)) +
         ",\"payload\":" + JsonString(HexText(frame.payload, '\0')) +
         ",\"answer\":" + (answer->dropped ? "null" : JsonString(HexText(answer->bytes, '\0'))) +
         ",\"hangUp\":" + (answer->hangUpAfter ? "true" : "false") + "}";
}

}  // namespace printer_sim
