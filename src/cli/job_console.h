#pragma once

#include <cstdint>
#include <optional>

#include "cli/console_message_boxes.h"
#include "cli/console_messages.h"
#include "cli/console_output.h"
#include "link/printer_link.h"
#include "platform/interrupt_watcher.h"
#include "tables/keyword_loader.h"
#include "tables/keyword_tables.h"
#include "tables/text_encoding.h"
#include "update/reply_queue.h"
#include "update/update_job.h"

namespace trel {

// The command line in the place of the desktop tool's window for one job: it owns what the job
// runs against, runs the job on the update worker, handles what the job's threads post as the
// window's procedure would (progress, outcome) and turns the outcome into the exit status. An
// interrupt closes the port, which ends the job at its next write or wait, as closing the window
// does. Create it first, before the link, so the link's threads leave the interrupts to it.
class JobConsole {
 public:
  explicit JobConsole(ConsoleOutput& output);

  // Where the link posts, and where the printer's replies go.
  WindowMessages& messages() { return messages_; }
  ReplyChannel& replies() { return replies_; }

  // Runs the job over the link and waits for its end; returns kExitSuccess, kExitFailure,
  // kExitPortNotOpened or kExitInterrupted.
  int run(UpdateJob job, PrinterLink& link);

 private:
  // What the window's procedure does with the posted messages: progress steps, the outcome (the
  // result), and here also interrupts; ends when the worker says the job is over.
  std::optional<std::intptr_t> handleMessagesUntilTheJobEnds(PrinterLink& link);
  int report(std::optional<std::intptr_t> outcome, const PrinterLink& link);

  ConsoleOutput& output_;
  ConsoleMessages messages_;
  InterruptWatcher interrupts_;
  ConsoleMessageBoxes boxes_;
  ReplyChannel replies_;
  TextEncoding encoding_;
  KeywordLoader keywordLoader_;
  KeywordTables keywordTables_;
};

}  // namespace trel
