#include <algorithm>

#include "link/printer_link.h"
#include "platform/utf8_path.h"
#include "platform/window_messages.h"
#include "tables/keyword_loader.h"
#include "update/exchange.h"
#include "update/job_keyword_files.h"
#include "update/keyword_download.h"
#include "update/parameter_download.h"
#include "update/reply_channel.h"
#include "update/update_environment.h"
#include "update/update_job.h"

namespace trel {
namespace {

// A Save box ticked with no port ever chosen records the frames without sending them; that needs an
// output file. Otherwise the job needs the port.
bool OpenPortOrRecordOnly(UpdateJob& job, const UpdateEnvironment& environment) {
  if (job.savesAnything() && job.portName.empty()) {
    job.fileOnly = true;
    return !job.outputPath.empty();
  }
  return environment.link.SerialOpen(job.portName) != 0;
}

int ExtraKeywordFileCount(const UpdateJob& job) {
  return static_cast<int>(std::min(job.extraKeywordNames.size(), kMaxExtraKeywordFiles));
}

bool LoadKeywordFile(const UpdateEnvironment& environment, const std::filesystem::path& file) {
  return environment.keywordLoader.Load(environment.keywordTables, file);
}

bool LeftOut(const UpdateJob& job, const std::filesystem::path& file) {
  return std::find(job.keywordFilesLeftOut.begin(), job.keywordFilesLeftOut.end(), file) !=
         job.keywordFilesLeftOut.end();
}

// Sends a keyword file that loads; says what became of it. A file left out at Start is not tried.
bool SendKeywordFile(UpdateJob& job, const UpdateEnvironment& environment, FrameExchange& exchange,
                     const std::filesystem::path& file, int closingCode) {
  if (LeftOut(job, file)) {
    job.keywordFileReports.push_back({file, KeywordFileFate::kLeftOut});
    return true;
  }
  if (!LoadKeywordFile(environment, file)) {
    job.keywordFileReports.push_back({file, KeywordFileFate::kNotLoaded});
    return true;
  }
  const bool sent = DownloadKeywords(environment.keywordTables, file, job, exchange, closingCode);
  job.keywordFileReports.push_back(
      {file, sent ? KeywordFileFate::kSent : KeywordFileFate::kSendFailed});
  return sent;
}

// The main keyword file is sent only in its XML form; any other file, or one that does not load,
// sends nothing and is no failure.
bool SendMainKeywordFile(UpdateJob& job, const UpdateEnvironment& environment,
                         FrameExchange& exchange) {
  if (job.mainKeywordPath.empty()) {
    return true;
  }
  if (!HasXmlEnding(PathToUtf8(job.mainKeywordPath))) {
    job.keywordFileReports.push_back({job.mainKeywordPath, KeywordFileFate::kNotXml});
    return true;
  }
  return SendKeywordFile(job, environment, exchange, job.mainKeywordPath, kClosingCodeMainFile);
}

// Printers of firmware level 1 and below take only the main keyword file. An empty name keeps its
// slot (and its index); a file that does not load is skipped.
bool SendExtraKeywordFiles(UpdateJob& job, const UpdateEnvironment& environment,
                           FrameExchange& exchange) {
  const int extraCount = ExtraKeywordFileCount(job);
  if (extraCount > 0 && job.firmwareLevel <= 1) {
    for (int index = 0; index < extraCount; ++index) {
      if (const std::filesystem::path& name = job.extraKeywordNames[index]; !name.empty()) {
        job.keywordFileReports.push_back(
            {ExtraKeywordFile(job, name), KeywordFileFate::kFirmwareLevel});
      }
    }
    return true;
  }
  while (job.keywordFileIndex < extraCount) {
    const std::filesystem::path& name = job.extraKeywordNames[job.keywordFileIndex];
    ++job.keywordFileIndex;
    if (!name.empty() && !SendKeywordFile(job, environment, exchange, ExtraKeywordFile(job, name),
                                          kClosingCodeExtraFile)) {
      return false;
    }
  }
  return true;
}

std::intptr_t RunJobSteps(UpdateJob& job, const UpdateEnvironment& environment) {
  if (!OpenPortOrRecordOnly(job, environment)) {
    return kJobPortNotOpened;
  }
  environment.replies.Clear();
  job.keywordFileCount = (job.mainKeywordPath.empty() ? 0 : 1) + ExtraKeywordFileCount(job);
  job.keywordFileIndex = 0;
  FrameExchange exchange(environment.link, environment.replies,
                         {job.fileOnly, job.nowait, job.outputPath, environment.replyWait});
  if (DownloadParameters(job.workingCopyPath, job, exchange, environment.boxes,
                         environment.encoding, environment.clock()) &&
      SendMainKeywordFile(job, environment, exchange) &&
      SendExtraKeywordFiles(job, environment, exchange)) {
    return kJobSucceeded;
  }
  job.recordingError = exchange.recordingError();
  return job.recordingError ? kJobNotRecorded : kJobFailed;
}

}  // namespace

int RunUpdateJob(UpdateJob& job, const UpdateEnvironment& environment,
                 const std::function<void()>& onJobEnded) {
  job.fileOnly = false;
  job.recordingError.clear();
  job.failedFrame.reset();
  job.keywordFileReports.clear();
  job.parameterItemCount.reset();
  job.sequence = kFirstSequence;
  const std::intptr_t outcome = RunJobSteps(job, environment);
  // The outcome goes out before the port closes, so the front end can show it while the worker
  // finishes.
  environment.messages.post(WM_UPDATE_STATUS, kStatusJobEnded, outcome);
  if (onJobEnded) {
    onJobEnded();
  }
  environment.link.SerialClose();
  return 0;
}

}  // namespace trel
