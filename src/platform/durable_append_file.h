#pragma once

#include <filesystem>
#include <memory>
#include <string_view>
#include <system_error>

namespace trel {

// A file that grows only at its end, by whole records, each one on the disk before the call that
// wrote it returns: a crash or a power loss afterwards loses none of them, and a failed write
// leaves no part of its record behind. One object is used by one thread at a time.
class DurableAppendFile {
 public:
  DurableAppendFile();
  ~DurableAppendFile();
  DurableAppendFile(const DurableAppendFile&) = delete;
  DurableAppendFile& operator=(const DurableAppendFile&) = delete;

  // Opens the file for appending, creating it when it is missing. A name that stands for anything
  // but a regular file, a file without any write permission, or a missing file in a folder without
  // any, is refused, also for the superuser. Returns the system's reason; empty on success.
  std::error_code open(const std::filesystem::path& file);

  // Appends the bytes and flushes them to the disk. When they cannot all be written, the file is
  // cut back to its length before them. Returns the system's reason; empty on success.
  std::error_code append(std::string_view bytes);

 private:
  class Handle;
  std::unique_ptr<Handle> handle_;
};

}  // namespace trel
