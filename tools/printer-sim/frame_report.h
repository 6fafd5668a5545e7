#pragma once

#include <string>

#include "frame_answer.h"
#include "frame_parser.h"

namespace printer_sim {

// What the printer did with a frame, for the operator's eyes (--verbose) and for a JSON-lines log.
// `answer` is null for a bad frame, which gets no answer.
std::string DescribeFrame(const ReceivedFrame& frame, const FrameAnswer* answer);
std::string FrameJsonLine(const ReceivedFrame& frame, const FrameAnswer* answer);

}  // namespace printer_sim
