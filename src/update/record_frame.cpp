#include "platform/file_append.h"
#include "update/exchange.h"

namespace trel {
namespace {

constexpr std::size_t kShortestRecordedFrame = 3;

}  // namespace

void RecordFrame(const std::filesystem::path& outputPath, std::span<const std::uint8_t> frame,
                 bool record) {
  if (!record || frame.size() < kShortestRecordedFrame || outputPath.empty()) {
    return;
  }
  // Start has created the file; one removed since then is not brought back here.
  AppendToExistingFile(outputPath, frame);
}

}  // namespace trel
