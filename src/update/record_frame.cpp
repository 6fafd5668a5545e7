#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "update/record_frame.h"

namespace trel {
namespace {

constexpr std::size_t kShortestRecordedFrame = 3;

void WriteAll(int fd, std::span<const std::uint8_t> bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) {
      continue;
    }
    if (written <= 0) {
      return;
    }
    bytes = bytes.subspan(static_cast<std::size_t>(written));
  }
}

}  // namespace

void RecordFrame(const std::filesystem::path& outputPath, std::span<const std::uint8_t> frame,
                 bool record) {
  if (!record || frame.size() < kShortestRecordedFrame || outputPath.empty()) {
    return;
  }
  // No O_CREAT and no O_TRUNC: Start has created the file, and a file removed since then is not
  // brought back here.
  const int fd = ::open(outputPath.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
  if (fd < 0) {
    return;
  }
  WriteAll(fd, frame);
  ::close(fd);
}

}  // namespace trel
