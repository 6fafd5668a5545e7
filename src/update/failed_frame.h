#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "update/exchange.h"

namespace trel {

// The part of a job a frame belongs to.
enum class JobPart { kClock, kParameterList, kKeywordFile };

// Where a frame stands in its part: its number, counted from 1, of the frames the part has.
struct FramePlace {
  JobPart part = JobPart::kClock;
  std::filesystem::path keywordFile;  // the file a keyword frame comes from
  int frame = 1;
  int frames = 1;
};

// How a frame failed, and where: the printer refused it, did not answer it, or the port closed
// before it was written.
struct FailedFrame {
  enum class Cause { kRefused, kNoAnswer, kPortClosed };
  FramePlace place;
  Cause cause = Cause::kNoAnswer;
};

// The failure of a frame whose exchange did not end in its acceptance; nothing for an accepted
// frame and for one the recording did not take (that has a message of its own).
std::optional<FailedFrame> FailureOf(const ExchangeResult& result, const FramePlace& place);

// What the failed frame means for the operator: which frame of which part, and whether the printer
// may now hold part of the new settings.
std::string FailedFrameText(const FailedFrame& failed);

}  // namespace trel
