#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace trel::bench {

// Writes a full update into the folder: params.ini with 160 items of all four data modes,
// keywords.xml with eight first-level keys, a second-level group and both translation lists,
// extra1.xml like it, and extra2.ini in the INI form.
void WriteFullUpdate(const std::filesystem::path& folder);

// `trel`'s options that send the full update written into the folder.
std::vector<std::string> FullUpdateArguments(const std::filesystem::path& folder);

}  // namespace trel::bench
