#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <system_error>

namespace trel {

// Appends the frame to the output file when record is set, the frame has at least 3 bytes and a
// path is given. The file must exist already (the job creates it empty): it is never created or
// truncated here. Returns why the frame could not be recorded; an empty code when it was, or when
// nothing was to be recorded.
std::error_code RecordFrame(const std::filesystem::path& outputPath,
                            std::span<const std::uint8_t> frame, bool record);

}  // namespace trel
