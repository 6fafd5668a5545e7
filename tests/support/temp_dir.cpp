#include "support/temp_dir.h"

#include <fstream>
#include <iterator>

#include "platform/temporary_folder.h"

namespace trel::testing {

namespace fs = std::filesystem;

TempDir::TempDir() : path_(CreateTemporaryFolder("trel-test-")) {}

TempDir::~TempDir() {
  std::error_code error;
  // Tests make files and folders read-only; make them removable again first.
  for (const auto& entry : fs::recursive_directory_iterator(path_, error)) {
    fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, error);
  }
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, error);
  fs::remove_all(path_, error);
}

fs::path TempDir::write(std::string_view name, std::string_view bytes) const {
  const fs::path file = path_ / name;
  std::ofstream(file, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return file;
}

void MakeReadOnly(const fs::path& file) {
  fs::permissions(file, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
}

std::string ReadBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace trel::testing
