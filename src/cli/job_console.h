#pragma once

#include <atomic>
#include <cstdint>
#include <optional>

#include "cli/console_message_boxes.h"
#include "cli/console_messages.h"
#include "cli/job_events.h"
#include "cli/job_output.h"
#include "cli/job_result.h"
#include "cli/sent_frames.h"
#include "link/printer_link.h"
#include "tables/keyword_loader.h"
#include "tables/keyword_tables.h"
#include "tables/text_encoding.h"
#include "update/reply_channel.h"
#include "update/update_job.h"

namespace trel {

// The command line in the place of the desktop tool's window for one job: it owns what the job
// runs against, runs the job on the update worker, handles what the job's threads post as the
// window's procedure would (progress, outcome) and turns the outcome into the job's result. An
// interrupt closes the port, which ends the job at its next write or wait, as closing the window
// does. Several consoles may run at once, each on a thread of its own.
class JobConsole {
 public:
  JobConsole(JobOutput& output, JobEvents& events);

  // Where the link posts, and where the printer's replies go.
  WindowMessages& messages() { return messages_; }
  ReplyChannel& replies() { return replies_; }

  // Runs the job over the link and waits for its end; the status is kExitSuccess, kExitFailure,
  // kExitPortNotOpened or kExitInterrupted.
  JobResult run(UpdateJob job, PrinterLink& link);

  // From any thread: has the job's own thread stop taking replies, so nothing more is sent, and
  // close the port. A job not yet started ends at once. Calls after the first change nothing.
  void interrupt();

 private:
  // What the window's procedure does with the posted messages: progress steps, the outcome (the
  // result), and here also interrupts; ends when the worker says the job is over.
  std::optional<std::intptr_t> handleMessagesUntilTheJobEnds(PrinterLink& link);
  void showProgress(int position);
  // The job's outcome in words, and what `trel` adds to a failure; returns the status.
  int report(std::optional<std::intptr_t> outcome, const PrinterLink& link, const UpdateJob& job,
             std::string& text);

  JobOutput& output_;
  JobEvents& events_;
  std::atomic<bool> interrupted_{false};
  ConsoleMessages messages_;
  ConsoleMessageBoxes boxes_;
  ReplyChannel replies_;
  TextEncoding encoding_;
  KeywordLoader keywordLoader_;
  KeywordTables keywordTables_;
  SentFrames sentFrames_;
};

}  // namespace trel
