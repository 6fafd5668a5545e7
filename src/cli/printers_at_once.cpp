#include "cli/printers_at_once.h"

#include <thread>

#include "cli/exit_status.h"
#include "cli/job_console.h"
#include "cli/printer_session.h"

namespace trel {

// One printer's job and what it tells, alive until every job has ended.
struct PrintersAtOnce::Run {
  Run(JobInterrupts& interrupts, const PrinterPort& port, const PrinterEvents::Sinks& sinks,
      JobOutput& jobOutput)
      : printer(port),
        output(jobOutput),
        events(printer, sinks),
        console(output, events),
        registration(interrupts.add([this] { console.interrupt(); })) {}

  const PrinterPort& printer;
  JobOutput& output;
  PrinterEvents events;
  JobConsole console;
  JobInterrupts::Registration registration;
  JobResult result;
};

PrintersAtOnce::PrintersAtOnce(JobInterrupts& interrupts, const std::vector<PrinterPort>& printers,
                               const PrinterEvents::Sinks& sinks, OperatorOutput& output)
    : output_(output) {
  for (std::size_t index = 0; index < printers.size(); ++index) {
    runs_.push_back(std::make_unique<Run>(interrupts, printers[index], sinks, output.of(index)));
  }
}

PrintersAtOnce::~PrintersAtOnce() = default;

void PrintersAtOnce::run(const UpdateJob& job, bool trace) {
  std::vector<std::thread> threads;
  for (const std::unique_ptr<Run>& each : runs_) {
    threads.emplace_back([&job, trace, &run = *each] {
      UpdateJob own = job;
      own.portName = run.printer.openName;
      run.result = RunOverSession(run.console, std::move(own), trace, run.output);
    });
  }
  for (std::thread& thread : threads) {
    thread.join();
  }
}

void PrintersAtOnce::printSummary() {
  std::size_t updated = 0;
  for (const std::unique_ptr<Run>& run : runs_) {
    output_.line(run->printer.label + ": " + run->result.outcomeText);
    updated += run->result.ok() ? 1 : 0;
  }
  output_.line(std::to_string(updated) + " of " + std::to_string(runs_.size()) +
               (runs_.size() == 1 ? " printer updated" : " printers updated"));
}

int PrintersAtOnce::status(bool interrupted) const {
  if (interrupted) {
    return kExitInterrupted;
  }
  for (const std::unique_ptr<Run>& run : runs_) {
    if (!run->result.ok()) {
      return run->result.status;
    }
  }
  return kExitSuccess;
}

int PrintersAtOnce::statusAfterTheLog(int status, const std::string& logPath) {
  for (const std::unique_ptr<Run>& run : runs_) {
    if (const std::error_code error = run->events.logError()) {
      output_.line("trel: " + logPath + ": " + error.message() + " (the line of " +
                   run->printer.label + " is not in it)");
      status = status == kExitSuccess ? kExitFailure : status;
    }
  }
  return status;
}

}  // namespace trel
