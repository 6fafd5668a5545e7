#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace trel {

// File names as UTF-8 text, the engine's text, on every system. A path made from a plain
// std::string takes the bytes in the system's narrow encoding, which on Windows is the ANSI code
// page and cannot hold every name; these go through UTF-8 (UTF-16 for Windows' own calls).
std::filesystem::path PathFromUtf8(std::string_view text);
std::string PathToUtf8(const std::filesystem::path& path);

}  // namespace trel
