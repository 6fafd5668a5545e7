#include "fuzz_files.h"

#include <unistd.h>

#include <fstream>

#include "link/no_printer_link.h"
#include "platform/window_messages.h"
#include "update/exchange.h"
#include "update/keyword_download.h"
#include "update/reply_channel.h"
#include "update/update_job.h"

namespace trel::fuzz {

namespace {

const std::filesystem::path& Folder() {
  static const std::filesystem::path folder = [] {
    const std::filesystem::path made =
        std::filesystem::temp_directory_path() / ("trel-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(made);
    return made;
  }();
  return folder;
}

class NoMessages : public WindowMessages {
 public:
  void post(unsigned, std::uintptr_t, std::intptr_t) override {}
};

}  // namespace

std::filesystem::path WriteInput(const std::string& name, const std::uint8_t* data,
                                 std::size_t size) {
  const std::filesystem::path file = Folder() / name;
  std::ofstream(file, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  return file;
}

void RecordKeywords(const KeywordTables& tables) {
  const std::filesystem::path output = WriteInput("out.bin", nullptr, 0);
  NoPrinterLink link;
  NoMessages messages;
  ReplyChannel replies(messages);
  FrameExchange exchange(
      link, replies,
      {.fileOnly = true, .nowait = false, .outputPath = output, .replyWait = kReplyWait});
  UpdateJob job;
  job.fileOnly = true;
  job.saveXmlData = true;
  DownloadKeywords(tables, job, exchange, 0);
}

}  // namespace trel::fuzz
