#include "cli/job_console.h"

#include <chrono>
#include <string>

#include "cli/recorded_text.h"
#include "cli/watched_printer_link.h"
#include "platform/utf8_path.h"
#include "update/outcome.h"
#include "update/parameter_download.h"
#include "update/update_worker.h"

namespace trel {

namespace {

// A job that only records failed: the window's text asks to check the port, which played no part.
constexpr char kRecordingFailedText[] = "The recording was not finished.";
constexpr char kInterruptedText[] = "interrupted";

// Posted by the worker thread once the job's outcome is out, so the console stops waiting.
constexpr unsigned kWorkerEnded = kFirstUserMessage + 100;
// Posted by interrupt().
constexpr unsigned kInterrupted = kFirstUserMessage + 101;

// The keyword files are reported only once the parameter list went through, so any report, like
// the job's success, says that its frames did.
bool ParametersWentThrough(const UpdateJob& job, int status) {
  return status == kExitSuccess || !job.keywordFileReports.empty();
}

// The window's outcome text, except where a job that only records says what it did.
std::string JobOutcomeText(const UpdateJob& job, std::intptr_t outcome,
                           std::uint32_t longestReply) {
  if (job.fileOnly && outcome == kJobSucceeded) {
    return RecordedText(job.outputPath);
  }
  if (job.fileOnly && outcome == kJobFailed) {
    return kRecordingFailedText;
  }
  return OutcomeText(outcome, longestReply);
}

}  // namespace

JobConsole::JobConsole(JobOutput& output, JobEvents& events)
    : output_(output),
      events_(events),
      boxes_(output),
      replies_(messages_),
      keywordLoader_(encoding_, boxes_) {}

void JobConsole::interrupt() {
  if (!interrupted_.exchange(true)) {
    messages_.post(kInterrupted, 0, 0);
  }
}

JobResult JobConsole::run(UpdateJob job, PrinterLink& link) {
  JobResult result;
  result.startedAt = std::chrono::system_clock::now();
  const auto started = std::chrono::steady_clock::now();
  if (interrupted_.load()) {
    result.status = kExitInterrupted;
    result.outcomeText = kInterruptedText;
    return result;
  }
  events_.started();
  encoding_.separatorCode =
      job.netprinter == 1 ? TextEncoding::kNetSeparator : TextEncoding::kPlainSeparator;
  output_.line(kDownloadingText);
  output_.progress(0);
  WatchedPrinterLink countedLink(link, [this](std::span<const std::uint8_t> frame) {
    sentFrames_.count(frame);
    output_.frameSent();
  });
  countedLink.SerialSetLine(job.stopbits, job.baudRate);

  UpdateWorker worker;
  worker.Start(std::move(job),
               UpdateEnvironment{.link = countedLink,
                                 .replies = replies_,
                                 .messages = messages_,
                                 .boxes = boxes_,
                                 .encoding = encoding_,
                                 .keywordLoader = keywordLoader_,
                                 .keywordTables = keywordTables_},
               [this] { messages_.post(kWorkerEnded, 0, 0); });

  const std::optional<std::intptr_t> outcome = handleMessagesUntilTheJobEnds(link);
  worker.Join();
  const UpdateJob& ended = worker.job();
  if (interrupted_.load()) {
    // The job failed because it was ended: the progress ends with that, and no failure follows.
    output_.finish(kInterruptedText);
    result.status = kExitInterrupted;
    result.outcomeText = kInterruptedText;
  } else {
    result.status = report(outcome, link, ended, result.outcomeText);
  }
  result.framesSent = sentFrames_.sent();
  result.resends = sentFrames_.resends();
  result.firmwareLevel = ended.reportedFirmwareLevel;
  result.parametersSent = ParametersWentThrough(ended, result.status);
  result.keywordFiles = ended.keywordFileReports;
  result.duration = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now() - started);
  events_.ended(result);
  return result;
}

std::optional<std::intptr_t> JobConsole::handleMessagesUntilTheJobEnds(PrinterLink& link) {
  int progressSteps = 0;
  std::optional<std::intptr_t> outcome;
  for (ThreadMessage next = messages_.take(); next.message != kWorkerEnded;
       next = messages_.take()) {
    if (next.message == kInterrupted) {
      output_.line("interrupted: closing the port");
      // Stopped first, so the sender ends its exchange without another send, whether it waits for
      // an answer or its write fails as the port closes; with the port closed every write fails.
      replies_.StopAccepting();
      link.SerialClose();
    } else if (next.message != WM_UPDATE_STATUS) {
      continue;
    } else if (next.wParam == kStatusReply) {
      if (const std::optional<int> position = AdvanceProgress(progressSteps)) {
        showProgress(*position);
      }
    } else {
      outcome = next.lParam;
    }
  }
  return outcome;
}

void JobConsole::showProgress(int position) {
  output_.progress(position);
  events_.progressed(position, sentFrames_.sent());
}

int JobConsole::report(std::optional<std::intptr_t> outcome, const PrinterLink& link,
                       const UpdateJob& job, std::string& text) {
  for (const KeywordFileReport& keywordFile : job.keywordFileReports) {
    output_.line("keyword file " + PathToUtf8(keywordFile.file) + ": " +
                 KeywordFileFateText(keywordFile.fate));
  }
  const bool succeeded = outcome == kJobSucceeded;
  if (succeeded) {
    showProgress(kProgressFull);
  }
  text = JobOutcomeText(job, outcome.value_or(kJobFailed), replies_.longestReply());
  // The progress stays where the job left it, followed by the outcome.
  output_.finish(text);
  if (succeeded) {
    return kExitSuccess;
  }
  boxes_.show(text, kErrorCaption);
  if (outcome == kJobPortNotOpened) {
    if (const std::string cause = link.lastOpenError(); !cause.empty()) {
      output_.line(cause);
    }
    return kExitPortNotOpened;
  }
  if (outcome == kJobNotRecorded) {
    output_.line(PathToUtf8(job.outputPath) + ": " + job.recordingError.message());
  }
  if (job.parameterItemCount && *job.parameterItemCount < kFewestParameterItems) {
    const int items = *job.parameterItemCount;
    output_.line(PathToUtf8(job.parameterListPath) + ": the list ends after " +
                 std::to_string(items) + (items == 1 ? " parameter item" : " parameter items") +
                 " (at a missing section or IsHide above 1); at least " +
                 std::to_string(kFewestParameterItems) + " are needed");
  }
  return kExitFailure;
}

}  // namespace trel
