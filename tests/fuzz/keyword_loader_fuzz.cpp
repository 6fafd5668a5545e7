// A keyword file of either form, loaded and then sent into a recording: the first byte picks the
// form, the rest is the file.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "fuzz_files.h"
#include "tables/keyword_loader.h"
#include "update/keyword_download.h"
#include "update/update_job.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) {
    return 0;
  }
  const std::filesystem::path file =
      trel::fuzz::WriteInput(data[0] % 2 == 0 ? "keys.xml" : "keys.ini", data + 1, size - 1);
  trel::TextEncoding encoding;
  trel::fuzz::SilentBoxes boxes;
  trel::KeywordLoader loader(encoding, boxes);
  trel::KeywordTables tables;
  if (loader.Load(tables, file)) {
    trel::fuzz::RecordKeywords(tables);
  }
  return 0;
}
