#include "update/parameter_download.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>

#include "platform/message_boxes.h"
#include "platform/private_profile.h"
#include "tables/text_encoding.h"
#include "update/clock_frame.h"
#include "update/exchange.h"
#include "update/job_frames.h"
#include "update/outcome.h"
#include "update/parameter_block.h"
#include "update/update_job.h"

namespace trel {
namespace {

constexpr char kNoItemText[] = "Sorry,no item.";
constexpr char kTooLargeText[] = "The parameter data is too large.";
constexpr char kItemCountCaption[] = "INI Item Error";
// A printer that knows no firmware word sets its low byte to this.
constexpr std::uint32_t kNoFirmwareWordByte = 0xFF;
constexpr std::uint8_t kEndFramePayload[] = {0xAA, 0x55, 0x55, 0xAA};

std::string ItemCountText(int itemsNeeded, int itemCount) {
  char text[200];
  std::snprintf(text, sizeof text,
                "The firmware need %d items but this ini file only have %d itmes,please change "
                "the ini file and try again!",
                itemsNeeded, itemCount);
  return text;
}

// Takes what the printer said about itself; false when its firmware wants more items than the
// parameter list holds. A clock frame accepted without a word (file-only, nowait), a word of 1 or
// one whose low byte is 0xFF changes nothing.
bool ApplyFirmwareWord(std::optional<std::uint32_t> word, int itemCount, UpdateJob& job,
                       MessageBoxes& boxes, TextEncoding& encoding) {
  if (!word || *word == 1 || (*word & 0xFF) == kNoFirmwareWordByte) {
    return true;
  }
  const FirmwareWord firmware = DecodeFirmwareWord(*word);
  job.firmwareLevel = firmware.firmwareLevel;
  job.reportedFirmwareLevel = firmware.firmwareLevel;
  if (itemCount < firmware.itemsNeeded) {
    boxes.show(ItemCountText(firmware.itemsNeeded, itemCount), kItemCountCaption);
    return false;
  }
  if (job.netprinter > 1) {
    encoding.separatorCode =
        firmware.escapeSelector == 1 ? TextEncoding::kNetSeparator : TextEncoding::kPlainSeparator;
  }
  return true;
}

// The block in frames of 100 bytes, the last one 1..100 bytes, numbered from 0. The argument byte
// carries the number modulo 256, and the checksum adds the byte as sent.
// The data frames and the end frame, each with its place among them.
bool SendDataAndEndFrames(const std::vector<std::uint8_t>& block, FrameExchange& exchange,
                          UpdateJob& job) {
  const std::span<const std::uint8_t> bytes(block);
  const std::size_t dataFrames = (bytes.size() + kDataFramePayload - 1) / kDataFramePayload;
  FramePlace place{JobPart::kParameterList, {}, 1, static_cast<int>(dataFrames) + 1};
  std::size_t index = 0;
  for (std::size_t offset = 0; offset < bytes.size(); offset += kDataFramePayload, ++index) {
    const std::size_t size = std::min(kDataFramePayload, bytes.size() - offset);
    if (!SendNextFrame(exchange, job, kCommandParameterData, static_cast<std::uint8_t>(index),
                       bytes.subspan(offset, size), job.saveIniData, place)) {
      return false;
    }
    ++place.frame;
  }
  return SendNextFrame(exchange, job, kCommandParameterEnd, 0, kEndFramePayload, job.saveIniData,
                       place);
}

}  // namespace

FirmwareWord DecodeFirmwareWord(std::uint32_t word) {
  return {static_cast<int>(word & 0xFF), static_cast<int>((word >> 8) & 0xFF),
          static_cast<int>((word >> 16) & 0xFF)};
}

bool DownloadParameters(const std::filesystem::path& workingCopy, UpdateJob& job,
                        FrameExchange& exchange, MessageBoxes& boxes, TextEncoding& encoding,
                        const LocalTime& now) {
  job.firmwareLevel = kDefaultFirmwareLevel;
  job.reportedFirmwareLevel.reset();
  const PackedParameters packed = PackParameterItems(ProfileDocument::Load(workingCopy), encoding);
  if (packed.tooLarge) {
    boxes.show(kTooLargeText, kErrorCaption);
    return false;
  }
  job.parameterItemCount = packed.itemCount;
  if (packed.itemCount < kFewestParameterItems) {
    boxes.show(kNoItemText, kErrorCaption);
    return false;
  }
  const Frame clock = BuildClockFrame(now, TakeSequence(job.sequence), job.reboot != 0);
  const ExchangeResult answer = exchange.ExchangeClockFrame(clock);
  if (!Accepted(job, answer, FramePlace{}) ||
      !ApplyFirmwareWord(answer.firmwareWord, packed.itemCount, job, boxes, encoding)) {
    return false;
  }
  return SendDataAndEndFrames(packed.block, exchange, job);
}

}  // namespace trel
