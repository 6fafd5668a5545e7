#pragma once

#include <string>

#include "update/recording_reader.h"

namespace trel {

// What a frame tells the printer, in words: the clock it sets, which block of the parameter data it
// carries, or the keyword table entry it fills with its fields decoded. A payload too short for its
// fields is said to be so; nothing is read past it.
std::string DescribeFrame(const RecordedFrame& frame);

}  // namespace trel
