#pragma once

#include <filesystem>
#include <system_error>

namespace trel {

// Rewrites a UTF-8 (or plain ASCII) parameter list file as the UTF-16LE working copy with its FF FE
// mark. Fails, writing nothing, when the source cannot be read, is shorter than 3 bytes, or already
// starts with FF FE; also fails when the destination cannot be written, which then keeps its
// previous contents, so the caller falls back to the byte copy. The write is atomic.
bool ConvertToWorkingCopy(const std::filesystem::path& source,
                          const std::filesystem::path& destination);

// Copies a file byte for byte over the destination through a temporary file and a rename, so a
// failure leaves the destination as it was; `error` says why.
bool CopyFileBytes(const std::filesystem::path& source, const std::filesystem::path& destination,
                   std::error_code& error);
inline bool CopyFileBytes(const std::filesystem::path& source,
                          const std::filesystem::path& destination) {
  std::error_code ignored;
  return CopyFileBytes(source, destination, ignored);
}

}  // namespace trel
