#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "update/failed_frame.h"
#include "update/frame.h"
#include "update/keyword_file_report.h"

namespace trel {

struct UpdateEnvironment;

// The firmware level a job assumes until the printer's clock acknowledgement says otherwise.
inline constexpr int kDefaultFirmwareLevel = 100;
// The more-keywords list holds at most this many names; further names are ignored.
inline constexpr std::size_t kMaxExtraKeywordFiles = 9;

// Everything one update uses: what the operator chose at Start, and what the worker keeps while it
// runs. The front end fills the first group, hands the job to the worker, and reads it back only
// after the worker has ended.
struct UpdateJob {
  // Chosen at Start.
  std::string portName;  // empty: no port chosen yet
  std::uint32_t baudRate = 9600;
  int stopbits = 0;                  // stop-bit code: 0 one, 1 one and a half, 2 two
  bool saveIniData = false;          // record the parameter frames
  bool saveXmlData = false;          // record the keyword frames
  std::filesystem::path outputPath;  // created empty at Start; empty when none
  int reboot = 0;  // non-zero: the counter value 4 goes out as 20, which makes the printer reboot
  bool nowait = false;  // a frame whose acknowledgement does not come counts as accepted
  int netprinter = 2;  // above 1: the printer's clock acknowledgement may switch the separator code

  std::filesystem::path parameterListPath;   // the list the operator imported; for messages only
  std::filesystem::path workingCopyPath;     // the parameter list the download reads
  std::filesystem::path mainKeywordPath;     // sent only when it ends in ".xml" (any case)
  std::filesystem::path extraKeywordFolder;  // folder of the main keyword file
  std::vector<std::filesystem::path> extraKeywordNames;  // empty names keep their slot
  // Keyword files that could not be opened at Start, which the operator chose to send without: the
  // job skips them without trying them again.
  std::vector<std::filesystem::path> keywordFilesLeftOut;

  // Kept by the worker.
  bool fileOnly = false;  // record frames, send nothing
  std::uint8_t sequence = kFirstSequence;
  int firmwareLevel = kDefaultFirmwareLevel;
  // The level the printer's clock acknowledgement gave; nothing while it gave none.
  std::optional<int> reportedFirmwareLevel;
  int keywordFileCount = 0;
  int keywordFileIndex = 0;        // 0 main keyword file; 1, 2, ... extra files
  std::error_code recordingError;  // why the output file did not take a frame, if it did not
  std::optional<FailedFrame> failedFrame;  // the frame the job failed at, if one failed
  // Items the parameter download found before the list ended; nothing until it read the list.
  std::optional<int> parameterItemCount;
  std::vector<KeywordFileReport> keywordFileReports;  // every keyword file the job came to

  // Kept by the front end: progress steps counted from the replies.
  int progressSteps = 0;

  bool savesAnything() const { return saveIniData || saveXmlData; }
};

// One whole update on the calling thread: open the port (or record only, when a Save box is ticked
// and no port was chosen), empty the reply queue, send the parameters, the main keyword file and,
// when the firmware level allows, the extra keyword files; post the outcome as WM_UPDATE_STATUS
// (kStatusJobEnded, kJobSucceeded / kJobFailed / kJobPortNotOpened /
// kJobNotRecorded); call onJobEnded; close the
// port. Returns 0, as a thread function does.
int RunUpdateJob(UpdateJob& job, const UpdateEnvironment& environment,
                 const std::function<void()>& onJobEnded);

}  // namespace trel
