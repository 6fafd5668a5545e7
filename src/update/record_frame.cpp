#include "update/record_frame.h"

#include "platform/file_append.h"

namespace trel {
namespace {

constexpr std::size_t kShortestRecordedFrame = 3;

}  // namespace

std::error_code RecordFrame(const std::filesystem::path& outputPath,
                            std::span<const std::uint8_t> frame, bool record) {
  if (!record || frame.size() < kShortestRecordedFrame || outputPath.empty()) {
    return {};
  }
  // Start has created the file; one removed since then is not brought back here.
  return AppendToExistingFile(outputPath, frame);
}

}  // namespace trel
