#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <system_error>

namespace trel {

// Appends the bytes to the end of a file that exists; a missing file is not created. Returns the
// operating system's reason when the file cannot be opened, not all bytes were written or closing
// it reported a delayed write failure; an empty code when every byte went in.
std::error_code AppendToExistingFile(const std::filesystem::path& file,
                                     std::span<const std::uint8_t> bytes);

}  // namespace trel
