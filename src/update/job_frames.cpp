#include "update/job_frames.h"

#include "update/exchange.h"
#include "update/frame.h"
#include "update/update_job.h"

namespace trel {

bool Accepted(UpdateJob& job, const ExchangeResult& result, const FramePlace& place) {
  if (result.accepted()) {
    return true;
  }
  job.failedFrame = FailureOf(result, place);
  return false;
}

bool SendNextFrame(FrameExchange& exchange, UpdateJob& job, std::uint8_t command,
                   std::uint8_t argument, std::span<const std::uint8_t> payload, bool record,
                   const FramePlace& place) {
  const Frame frame =
      BuildFrame(TakeSequence(job.sequence), command, argument, payload, job.reboot != 0);
  return Accepted(job, exchange.ExchangeFrame(frame, record), place);
}

}  // namespace trel
