#pragma once

#include <memory>
#include <string>
#include <vector>

#include "cli/job_interrupts.h"
#include "cli/operator_output.h"
#include "cli/printer_events.h"
#include "cli/printer_ports.h"
#include "update/update_job.h"

namespace trel {

// The jobs of a send, one per printer, each run on a thread of its own at the same time, and what
// their results come to together.
class PrintersAtOnce {
 public:
  // Registers each printer's job with the interrupts, so that one interrupt stops all of them.
  PrintersAtOnce(JobInterrupts& interrupts, const std::vector<PrinterPort>& printers,
                 const PrinterEvents::Sinks& sinks, OperatorOutput& output);
  ~PrintersAtOnce();

  // Runs the job on every printer, each with the printer's own port, and waits for all of them.
  void run(const UpdateJob& job, bool trace);

  // One line per printer, "<port>: <outcome>", then "N of M printers updated".
  void printSummary();
  // 0 when every printer succeeded, else the status of the first that failed, in the order given;
  // kExitInterrupted when interrupted.
  int status(bool interrupted) const;
  // Reports each printer whose line the log did not take; such a failure turns a status of 0
  // into kExitFailure.
  int statusAfterTheLog(int status, const std::string& logPath);

 private:
  struct Run;

  OperatorOutput& output_;
  std::vector<std::unique_ptr<Run>> runs_;
};

}  // namespace trel
