#pragma once

#include <cstdint>
#include <span>

#include "update/exchange.h"

namespace trel {

struct UpdateJob;

// Builds the job's next frame (taking the next sequence value, with the job's reboot substitution)
// and exchanges it.
ExchangeResult SendNextFrame(FrameExchange& exchange, UpdateJob& job, std::uint8_t command,
                             std::uint8_t argument, std::span<const std::uint8_t> payload,
                             bool record);

}  // namespace trel
