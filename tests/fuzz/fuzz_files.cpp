#include "fuzz_files.h"

#include <unistd.h>

#include <fstream>
#include <system_error>

#include "link/no_printer_link.h"
#include "platform/local_time.h"
#include "platform/whole_file.h"
#include "tables/text_encoding.h"
#include "update/exchange.h"
#include "update/keyword_download.h"
#include "update/parameter_download.h"
#include "update/reply_channel.h"
#include "update/update_job.h"

namespace trel::fuzz {

namespace {

// This process's folder for its inputs and recordings, removed when the run ends in order.
class InputFolder {
 public:
  InputFolder()
      : path_(std::filesystem::temp_directory_path() /
              ("trel-fuzz-" + std::to_string(::getpid()))) {
    std::filesystem::create_directories(path_);
  }
  ~InputFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  InputFolder(const InputFolder&) = delete;
  InputFolder& operator=(const InputFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

const std::filesystem::path& Folder() {
  static const InputFolder folder;
  return folder.path();
}

// The exchange of a job that records every frame into a file beside the input and sends nothing.
class RecordingExchange {
 public:
  RecordingExchange()
      : output_(WriteInput("out.bin", nullptr, 0)),
        exchange_(
            link_, replies_,
            {.fileOnly = true, .nowait = false, .outputPath = output_, .replyWait = kReplyWait}) {
    job_.fileOnly = true;
    job_.saveIniData = true;
    job_.saveXmlData = true;
  }

  UpdateJob& job() { return job_; }
  FrameExchange& exchange() { return exchange_; }
  std::vector<std::uint8_t> recording() const {
    std::error_code error;
    const std::string bytes = ReadWholeFile(output_, error).value_or(std::string());
    return {bytes.begin(), bytes.end()};
  }

 private:
  std::filesystem::path output_;
  NoPrinterLink link_;
  NoMessages messages_;
  ReplyChannel replies_{messages_};
  FrameExchange exchange_;
  UpdateJob job_;
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
  RecordingExchange recorder;
  DownloadKeywords(tables, "keywords.xml", recorder.job(), recorder.exchange(), 0);
}

std::optional<std::vector<std::uint8_t>> RecordParameters(
    const std::filesystem::path& workingCopy) {
  RecordingExchange recorder;
  SilentBoxes boxes;
  TextEncoding encoding;
  if (!DownloadParameters(workingCopy, recorder.job(), recorder.exchange(), boxes, encoding,
                          LocalTime{})) {
    return std::nullopt;
  }
  return recorder.recording();
}

}  // namespace trel::fuzz
