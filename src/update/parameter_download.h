#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>

namespace trel {

class FrameExchange;
class MessageBoxes;
class TextEncoding;
struct LocalTime;
struct UpdateJob;

// A parameter list with fewer items is refused: "Sorry,no item."
inline constexpr int kFewestParameterItems = 2;

// Payload bytes of every data frame but the last.
inline constexpr std::size_t kDataFramePayload = 100;

// The printer's answer to the clock frame.
struct FirmwareWord {
  int itemsNeeded = 0;     // bits 0-7: the fewest items the firmware accepts
  int firmwareLevel = 0;   // bits 8-15: above 1 the printer takes extra keyword files
  int escapeSelector = 0;  // bits 16-23: 1 selects the wide separator code
};
FirmwareWord DecodeFirmwareWord(std::uint32_t word);

// Sends the parameter list of the working copy: the clock frame, the packed block in data frames of
// 100 bytes, and the end frame. Shows its own message boxes when the list is too short or too
// large, or the firmware needs more items. True on success; job.sequence then holds the next unused
// value.
bool DownloadParameters(const std::filesystem::path& workingCopy, UpdateJob& job,
                        FrameExchange& exchange, MessageBoxes& boxes, TextEncoding& encoding,
                        const LocalTime& now);

}  // namespace trel
