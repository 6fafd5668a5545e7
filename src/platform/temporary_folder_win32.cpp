#include <windows.h>

#include <random>
#include <string>
#include <system_error>

#include "platform/temporary_folder.h"

namespace trel {

std::filesystem::path CreateTemporaryFolder(std::string_view prefix) {
  const std::filesystem::path parent = std::filesystem::temp_directory_path();
  std::random_device random;
  DWORD error = ERROR_ALREADY_EXISTS;
  std::filesystem::path folder;
  for (int attempt = 0; attempt < 100 && error == ERROR_ALREADY_EXISTS; ++attempt) {
    folder = parent / (std::wstring(prefix.begin(), prefix.end()) + std::to_wstring(random()));
    // Made by this process alone: CreateDirectoryW fails on a folder that exists.
    if (::CreateDirectoryW(folder.c_str(), nullptr)) {
      return folder;
    }
    error = ::GetLastError();
  }
  throw std::filesystem::filesystem_error(
      "cannot create a temporary folder", folder,
      std::error_code(static_cast<int>(error), std::system_category()));
}

}  // namespace trel
