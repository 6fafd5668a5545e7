#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace trel {

// File names as UTF-8 text, the engine's text, on every system. A path made from a plain
// std::string takes the bytes in the system's narrow encoding, which on Windows is the ANSI code
// page and cannot hold every name. POSIX names are bytes and pass unchanged (also bytes that are
// not UTF-8); Windows names are UTF-16, converted without ever failing (a bad sequence becomes
// U+FFFD).
std::filesystem::path PathFromUtf8(std::string_view text);
std::string PathToUtf8(const std::filesystem::path& path);

}  // namespace trel
