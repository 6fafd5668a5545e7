#pragma once

#include <filesystem>
#include <system_error>

namespace trel {

// Creates the file empty, or empties the regular file of that name. A name that stands for
// anything else, a folder, a pipe or a device, is refused before it is opened (NotARegularFile()),
// so it can neither block nor be written into. Returns the reason it failed; empty on success.
std::error_code CreateEmptyRegularFile(const std::filesystem::path& file);

// The reason given for a name that stands for something other than a regular file.
std::error_code NotARegularFile();

}  // namespace trel
