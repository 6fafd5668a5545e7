#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace trel {

// The whole of a regular file, or nothing with the cause in `error` (no_such_file_or_directory
// when it is missing; a folder, pipe or device is refused without waiting on it).
std::optional<std::string> ReadWholeFile(const std::filesystem::path& file, std::error_code& error);

// Replaces the file's contents all at once: the bytes go to a temporary file in the same folder,
// which is flushed to disk and then renamed over the file, so a reader or a crash sees either the
// old or the new contents, never a mix. Where the folder refuses the temporary file (or the rename)
// but the file itself may be written, the file is rewritten in place instead, as Windows writes
// such a file; should that fail part way, the old contents are written back. A symbolic link is
// followed and the file it names replaced; an existing file keeps its permissions. A file or folder
// without any write permission is not written. False, and the old file unchanged, on any failure,
// with the cause in `error`.
bool ReplaceWholeFile(const std::filesystem::path& file, std::string_view bytes,
                      std::error_code& error);
inline bool ReplaceWholeFile(const std::filesystem::path& file, std::string_view bytes) {
  std::error_code ignored;
  return ReplaceWholeFile(file, bytes, ignored);
}

// A folder that exists and may be written: one that grants no write permission at all counts as
// read-only, also for the superuser, as a read-only attribute would.
bool IsWritableFolder(const std::filesystem::path& folder);

}  // namespace trel
