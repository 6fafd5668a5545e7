#pragma once

#include <system_error>

namespace trel {

enum class StandardStream { kOutput, kError };

// Writes out what standard output or error still holds, and says whether every write to it so far
// went through: the reason of the failure, or an empty code. A full disk or a closed pipe behind
// the stream shows here even when the text itself was only buffered.
std::error_code FlushStandardStream(StandardStream stream);

}  // namespace trel
