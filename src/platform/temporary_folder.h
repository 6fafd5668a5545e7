#pragma once

#include <filesystem>
#include <string_view>

namespace trel {

// Creates a new folder, for this process alone, in the system's temporary folder: the prefix
// followed by a few random characters. Throws std::filesystem::filesystem_error when it cannot.
std::filesystem::path CreateTemporaryFolder(std::string_view prefix);

}  // namespace trel
