#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

namespace trel {

// Appends the bytes to the end of a file that exists; a missing file is not created. False when the
// file cannot be opened or not all bytes were written.
bool AppendToExistingFile(const std::filesystem::path& file, std::span<const std::uint8_t> bytes);

}  // namespace trel
