#pragma once

#include <cstdint>
#include <span>

#include "update/failed_frame.h"

namespace trel {

class FrameExchange;
struct UpdateJob;

// True when the frame at `place` was accepted; otherwise the job keeps where and how it failed.
bool Accepted(UpdateJob& job, const ExchangeResult& result, const FramePlace& place);

// Builds the job's next frame (taking the next sequence value, with the job's reboot substitution)
// and exchanges it; true when the frame was accepted.
bool SendNextFrame(FrameExchange& exchange, UpdateJob& job, std::uint8_t command,
                   std::uint8_t argument, std::span<const std::uint8_t> payload, bool record,
                   const FramePlace& place);

}  // namespace trel
