#include "cli/recorded_text.h"

#include <cstdint>
#include <optional>
#include <span>
#include <system_error>

#include "platform/utf8_path.h"
#include "platform/whole_file.h"
#include "update/recording_reader.h"

namespace trel {

std::string RecordedText(const std::filesystem::path& recording) {
  std::error_code error;
  const std::string bytes = ReadWholeFile(recording, error).value_or(std::string());
  const std::size_t frames =
      WalkRecording(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()))
          .frames.size();
  return "Recorded " + std::to_string(frames) + (frames == 1 ? " frame (" : " frames (") +
         std::to_string(bytes.size()) + (bytes.size() == 1 ? " byte) to " : " bytes) to ") +
         PathToUtf8(recording) + ".";
}

}  // namespace trel
