#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

namespace trel {

// Appends the frame to the output file when record is set, the frame has at least 3 bytes and a
// path is given. The file must exist already (the job creates it empty): it is never created or
// truncated here. A file that cannot be opened loses this frame, without a message.
void RecordFrame(const std::filesystem::path& outputPath, std::span<const std::uint8_t> frame,
                 bool record);

}  // namespace trel
