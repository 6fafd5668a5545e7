#include "update/outcome.h"

#include "platform/window_messages.h"

namespace trel {

std::string OutcomeText(std::intptr_t outcome, std::uint32_t longestReply) {
  if (outcome == kJobSucceeded) {
    return kDownloadSuccessText;
  }
  if (outcome == kJobPortNotOpened) {
    return kPortNotOpenedText;
  }
  if (outcome == kJobNotRecorded) {
    return kNotRecordedText;
  }
  return longestReply >= kForeignDataReplyLength ? kOtherDataText : kTryAgainText;
}

std::optional<int> AdvanceProgress(int& progressSteps) {
  ++progressSteps;
  if (progressSteps < kProgressFull) {
    return progressSteps;
  }
  return std::nullopt;
}

}  // namespace trel
