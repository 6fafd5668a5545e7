// A parameter list imported as trel imports it (working copy, table loaded and stored back), then
// sent into a recording. Storing the loaded table again changes none of its rows, and the
// recording's parameter frames carry exactly the block the working copy packs to.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "cli/private_working_copy.h"
#include "fuzz_check.h"
#include "fuzz_files.h"
#include "platform/memory_param_table.h"
#include "platform/private_profile.h"
#include "tables/param_table_io.h"
#include "tables/text_encoding.h"
#include "update/frame.h"
#include "update/parameter_block.h"
#include "update/recording_reader.h"

namespace {

bool SameRows(const trel::MemoryParamTable& a, const trel::MemoryParamTable& b) {
  if (a.rowCount() != b.rowCount()) {
    return false;
  }
  for (int row = 0; row < a.rowCount(); ++row) {
    if (a.isChecked(row) != b.isChecked(row)) {
      return false;
    }
    for (int column = 0; column < trel::ParamTable::kColumnCount; ++column) {
      if (a.cellText(row, column) != b.cellText(row, column)) {
        return false;
      }
    }
  }
  return true;
}

void CheckTableStoresStably(const std::filesystem::path& workingCopy) {
  trel::MemoryParamTable loaded;
  trel::LoadParamTable(loaded, workingCopy);
  if (!trel::StoreParamTable(loaded, workingCopy)) {
    return;
  }
  trel::MemoryParamTable reloaded;
  trel::LoadParamTable(reloaded, workingCopy);
  FUZZ_CHECK(SameRows(loaded, reloaded));
}

void CheckRecordingCarriesTheBlock(const std::filesystem::path& workingCopy) {
  const std::optional<std::vector<std::uint8_t>> recording =
      trel::fuzz::RecordParameters(workingCopy);
  if (!recording) {
    return;
  }
  const trel::RecordingWalk walk = trel::WalkRecording(*recording);
  FUZZ_CHECK(!walk.malformedAt);
  std::vector<std::uint8_t> sent;
  for (const trel::RecordedFrame& frame : walk.frames) {
    FUZZ_CHECK(frame.checksumGood());
    if (frame.command == trel::kCommandParameterData) {
      sent.insert(sent.end(), frame.payload.begin(), frame.payload.end());
    }
  }
  const trel::PackedParameters packed =
      trel::PackParameterItems(trel::ProfileDocument::Load(workingCopy), trel::TextEncoding());
  FUZZ_CHECK(sent == packed.block);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::filesystem::path list = trel::fuzz::WriteInput("list.ini", data, size);
  const trel::PrivateWorkingCopy workingCopy;
  workingCopy.importFrom(list);
  CheckTableStoresStably(workingCopy.path());
  CheckRecordingCarriesTheBlock(workingCopy.path());
  return 0;
}
