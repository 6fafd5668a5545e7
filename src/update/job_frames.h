#pragma once

#include <cstdint>
#include <span>

namespace trel {

class FrameExchange;
struct UpdateJob;

// Builds the job's next frame (taking the next sequence value, with the job's reboot substitution)
// and exchanges it; true when the frame was accepted.
bool SendNextFrame(FrameExchange& exchange, UpdateJob& job, std::uint8_t command,
                   std::uint8_t argument, std::span<const std::uint8_t> payload, bool record);

}  // namespace trel
