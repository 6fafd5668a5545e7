#include "update/failed_frame.h"

#include "platform/utf8_path.h"

namespace trel {
namespace {

using Cause = FailedFrame::Cause;

std::string PartName(const FramePlace& place) {
  return place.part == JobPart::kParameterList ? std::string("the parameter list")
                                               : PathToUtf8(place.keywordFile.filename());
}

// The clock frame carries the time only: nothing of the settings has gone out before it.
std::string ClockFrameText(Cause cause) {
  switch (cause) {
    case Cause::kRefused:
      return "The printer refused the clock frame; no settings were sent yet.";
    case Cause::kPortClosed:
      return "The port closed before the clock frame went out; no settings were sent yet.";
    case Cause::kNoAnswer:
      break;
  }
  return "The printer did not answer the clock frame; no settings were sent yet.";
}

}  // namespace

std::optional<FailedFrame> FailureOf(const ExchangeResult& result, const FramePlace& place) {
  switch (result.outcome) {
    case ExchangeResult::Outcome::kRefused:
      return FailedFrame{place, Cause::kRefused};
    case ExchangeResult::Outcome::kNoAnswer:
      return FailedFrame{place, Cause::kNoAnswer};
    case ExchangeResult::Outcome::kNotSent:
      return FailedFrame{place, Cause::kPortClosed};
    case ExchangeResult::Outcome::kAccepted:
    case ExchangeResult::Outcome::kNotRecorded:
      break;
  }
  return std::nullopt;
}

std::string FailedFrameText(const FailedFrame& failed) {
  const FramePlace& place = failed.place;
  if (place.part == JobPart::kClock) {
    return ClockFrameText(failed.cause);
  }
  const std::string frame = "frame " + std::to_string(place.frame) + " of " +
                            std::to_string(place.frames) + " of " + PartName(place);
  switch (failed.cause) {
    case Cause::kRefused:
      return "The printer refused " + frame + "; it may now hold part of the new settings.";
    case Cause::kPortClosed:
      return "The port closed at " + frame + "; the printer may now hold part of the new settings.";
    case Cause::kNoAnswer:
      break;
  }
  return "The printer did not answer " + frame + "; it may now hold part of the new settings.";
}

}  // namespace trel
