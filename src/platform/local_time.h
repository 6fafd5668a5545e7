#pragma once

#include <ctime>

namespace trel {

// The local time of day now, in calendar fields as std::tm holds them (years since 1900, months
// from 0), after the system's time zone and daylight saving rules.
std::tm LocalTimeNow();

}  // namespace trel
