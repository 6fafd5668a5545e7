#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace trel::testing {

// A fresh folder for one test, removed with everything in it when the object goes.
class TempDir {
 public:
  TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  ~TempDir();

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

  // Writes the bytes to the named file in the folder and returns its path.
  std::filesystem::path write(std::string_view name, std::string_view bytes) const;

 private:
  std::filesystem::path path_;
};

// Takes every write permission from a file: its mode bits on POSIX, the read-only attribute on
// Windows.
void MakeReadOnly(const std::filesystem::path& file);

// The bytes of a file; empty when it cannot be read.
std::string ReadBytes(const std::filesystem::path& file);

}  // namespace trel::testing
