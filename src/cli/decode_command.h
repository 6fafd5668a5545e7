#pragma once

#include <filesystem>
#include <ostream>

namespace trel {

// `trel decode FILE`: prints every frame of a recording, one line each, with its fields, its
// meaning and whether its checksum is good. A recording that is not a series of whole frames ends
// the walk with "malformed recording at offset N" and the status kExitFailure.
int RunDecode(const std::filesystem::path& file, std::ostream& out, std::ostream& err);

}  // namespace trel
