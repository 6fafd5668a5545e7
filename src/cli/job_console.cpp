#include "cli/job_console.h"

#include <optional>
#include <string>

#include "cli/exit_status.h"
#include "cli/watched_printer_link.h"
#include "platform/utf8_path.h"
#include "update/outcome.h"
#include "update/parameter_download.h"
#include "update/update_worker.h"

namespace trel {

namespace {

// A job that only records failed: the window's text asks to check the port, which played no part.
constexpr char kRecordingFailedText[] = "The recording was not finished.";

// Posted by the worker thread once the job's outcome is out, so the main thread stops waiting.
constexpr unsigned kWorkerEnded = WM_USER + 100;
// Posted by the interrupt watcher.
constexpr unsigned kInterrupted = WM_USER + 101;

}  // namespace

JobConsole::JobConsole(ConsoleOutput& output)
    : output_(output),
      interrupts_([this] { messages_.post(kInterrupted, 0, 0); }),
      boxes_(output),
      replies_(messages_),
      keywordLoader_(encoding_, boxes_) {}

int JobConsole::run(UpdateJob job, PrinterLink& link) {
  if (interrupts_.interrupted()) {
    return kExitInterrupted;
  }
  encoding_.separatorCode =
      job.netprinter == 1 ? TextEncoding::kNetSeparator : TextEncoding::kPlainSeparator;
  output_.line(kDownloadingText);
  output_.progress(0);
  WatchedPrinterLink countedLink(link,
                                 [this](std::span<const std::uint8_t>) { output_.frameSent(); });
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
  if (interrupts_.interrupted()) {
    // The job failed because it was ended: the progress ends with that, and no failure follows.
    output_.finish("interrupted");
    return kExitInterrupted;
  }
  return report(outcome, link, worker.job());
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
        output_.progress(*position);
      }
    } else {
      outcome = next.lParam;
    }
  }
  return outcome;
}

int JobConsole::report(std::optional<std::intptr_t> outcome, const PrinterLink& link,
                       const UpdateJob& job) {
  for (const KeywordFileReport& keywordFile : job.keywordFileReports) {
    output_.line("keyword file " + PathToUtf8(keywordFile.file) + ": " +
                 KeywordFileFateText(keywordFile.fate));
  }
  const bool succeeded = outcome == kJobSucceeded;
  if (succeeded) {
    output_.progress(kProgressFull);
  }
  const std::intptr_t ended = outcome.value_or(kJobFailed);
  const std::string text = job.fileOnly && ended == kJobFailed
                               ? kRecordingFailedText
                               : OutcomeText(ended, replies_.longestReply());
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
