#pragma once

#include <filesystem>
#include <string>

namespace trel {

// What a finished recording holds, read back from the file: "Recorded 3 frames (41 bytes) to
// frames.bin.".
std::string RecordedText(const std::filesystem::path& recording);

}  // namespace trel
