#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace trel {

// A file as a send read it: its path as named, its size and its SHA-256 in hex.
struct SentFile {
  std::string path;
  std::uintmax_t size = 0;
  std::string sha256;
};

// The files a send may send, each read and hashed once before any printer's job starts, so every
// printer's log line names them as they were when the send began.
class SentFiles {
 public:
  explicit SentFiles(const std::vector<std::filesystem::path>& files);

  // The file as read at the start; nothing for a file that could not be read then.
  std::optional<SentFile> find(const std::filesystem::path& file) const;

 private:
  std::map<std::filesystem::path, SentFile> files_;
};

}  // namespace trel
