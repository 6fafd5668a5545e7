#include "cli/decode_command.h"

#include <optional>
#include <span>
#include <string>

#include "cli/exit_status.h"
#include "platform/utf8_path.h"
#include "platform/whole_file.h"
#include "update/frame_meaning.h"
#include "update/recording_reader.h"
#include "update/text_format.h"

namespace trel {

namespace {

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
  std::error_code error;
  const std::optional<std::string> bytes = ReadWholeFile(file, error);
  if (!bytes) {
    err << "cannot read " << PathToUtf8(file) << ": " << error.message() << "\n";
    return kExitBadRequest;
  }
  const RecordingWalk walk =
      WalkRecording(std::span(reinterpret_cast<const std::uint8_t*>(bytes->data()), bytes->size()));
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
