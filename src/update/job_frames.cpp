#include "update/job_frames.h"

#include "update/exchange.h"
#include "update/frame.h"
#include "update/update_job.h"

namespace trel {

bool SendNextFrame(FrameExchange& exchange, UpdateJob& job, std::uint8_t command,
                   std::uint8_t argument, std::span<const std::uint8_t> payload, bool record) {
  const Frame frame =
      BuildFrame(TakeSequence(job.sequence), command, argument, payload, job.reboot != 0);
  return exchange.ExchangeFrame(frame, record).accepted();
}

}  // namespace trel
