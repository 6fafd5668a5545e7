#include "cli/job_console.h"

#include <optional>

#include "cli/exit_status.h"
#include "cli/watched_printer_link.h"
#include "platform/utf8_path.h"
#include "update/outcome.h"
#include "update/update_worker.h"

namespace trel {

namespace {

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
      // With the port closed every further write fails; waking the sender ends its wait now.
      link.SerialClose();
      replies_.StopAccepting();
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
  const std::string text = OutcomeText(outcome.value_or(kJobFailed), replies_.longestReply());
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
  return kExitFailure;
}

}  // namespace trel
