#include "cli/decode_command.h"

#include <fstream>
#include <iterator>
#include <optional>
#include <vector>

#include "cli/exit_status.h"
#include "cli/frame_meaning.h"
#include "cli/recording_reader.h"
#include "cli/text_format.h"

namespace trel {

namespace {

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::filesystem::path& file) {
  std::error_code ignored;
  if (std::filesystem::is_directory(file, ignored)) {
    return std::nullopt;
  }
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    return std::nullopt;
  }
  std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                  std::istreambuf_iterator<char>()};
  if (in.bad()) {
    return std::nullopt;
  }
  return bytes;
}

std::string FrameLine(const RecordedFrame& frame) {
  const std::string checksum = frame.checksumGood()
                                   ? Format("checksum 0x%02x good", frame.checksum)
                                   : Format("checksum 0x%02x bad (expected 0x%02x)", frame.checksum,
                                            frame.expectedChecksum());
  return Format("%zu: seq %d cmd %d arg %d payload[%zu] ", frame.offset, frame.sequence,
                frame.command, frame.argument, frame.payload.size()) +
         HexBytes(frame.payload) + " | " + DescribeFrame(frame) + " | " + checksum;
}

}  // namespace

int RunDecode(const std::filesystem::path& file, std::ostream& out, std::ostream& err) {
  const auto bytes = ReadWholeFile(file);
  if (!bytes) {
    err << "cannot read " << file.string() << "\n";
    return kExitBadRequest;
  }
  const RecordingWalk walk = WalkRecording(*bytes);
  for (const RecordedFrame& frame : walk.frames) {
    out << FrameLine(frame) << "\n";
  }
  out << walk.frames.size() << (walk.frames.size() == 1 ? " frame\n" : " frames\n");
  out.flush();
  if (walk.malformedAt) {
    err << "malformed recording at offset " << *walk.malformedAt << "\n";
    return kExitFailure;
  }
  return kExitSuccess;
}

}  // namespace trel
