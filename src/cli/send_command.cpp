#include "cli/send_command.h"

#include <algorithm>
#include <memory>
#include <thread>
#include <vector>

#include "cli/console_output.h"
#include "cli/exit_status.h"
#include "cli/job_console.h"
#include "cli/job_interrupts.h"
#include "cli/job_setup.h"
#include "cli/printer_events.h"
#include "cli/printer_ports.h"
#include "cli/printer_rows.h"
#include "cli/printer_session.h"
#include "platform/serial_port_enumeration.h"
#include "platform/utf8_path.h"

namespace trel {

namespace {

constexpr std::uint32_t kNetprinterBaudRate = 115200;
constexpr std::uint32_t kDefaultBaudRate = 9600;

// With --record alone both kinds of frames are recorded; with one kind named, only that kind.
bool RecordsAll(const SendOptions& options) {
  return !options.recordPath.empty() && !options.recordParams && !options.recordKeywords;
}

// The window's Start choices; the port checked is one that is empty, if any, else the first.
StartChoices ChoicesOf(const SendOptions& options, const std::vector<PrinterPort>& printers) {
  const auto unnamed = std::ranges::find_if(
      printers, [](const PrinterPort& printer) { return printer.openName.empty(); });
  const std::string port = unnamed != printers.end() ? "" : printers.front().openName;
  const bool recording = !options.recordPath.empty();
  StartChoices choices;
  choices.paramFilePath = options.files.params;
  choices.saveIniData = recording && (options.recordParams || RecordsAll(options));
  choices.saveXmlData = recording && (options.recordKeywords || RecordsAll(options));
  choices.portFound = true;
  choices.portSelectorText = port;
  choices.selectedPortEntry = port;
  return choices;
}

std::string Names(const std::vector<PrinterPort>& printers) {
  std::string names;
  for (const PrinterPort& printer : printers) {
    names += (names.empty() ? "" : ", ") + printer.label;
  }
  return names;
}

// What refuses the send before anything else is checked: the printers named, their number.
std::string RefusePrinters(const SendOptions& options, const PrinterPortChoice& choice) {
  if (!choice.refusal.empty()) {
    return choice.refusal;
  }
  const std::size_t count = choice.printers.size();
  if (count == 0) {
    return "name the printers: --port PORT (as often as there are printers) or --all";
  }
  if (options.expected && static_cast<std::size_t>(*options.expected) != count) {
    return "--expect " + std::to_string(*options.expected) + ": " + std::to_string(count) +
           (count == 1 ? " printer is named: " : " printers are named: ") + Names(choice.printers);
  }
  if (!options.recordPath.empty() && count > 1) {
    return "--record takes one printer: the frames of several would mix in one file";
  }
  return {};
}

UpdateJob JobOfEveryPrinter(const SendOptions& options, const PrivateWorkingCopy& workingCopy,
                            const StartChoices& choices) {
  UpdateJob job = PrepareJob(options.files, workingCopy);
  job.baudRate =
      options.baud.value_or(options.files.netprinter == 1 ? kNetprinterBaudRate : kDefaultBaudRate);
  job.stopbits = options.stopBitsCode;
  job.saveIniData = choices.saveIniData;
  job.saveXmlData = choices.saveXmlData;
  job.outputPath = PathFromUtf8(options.recordPath);
  job.nowait = options.nowait;
  return job;
}

std::vector<std::filesystem::path> FilesHashedForTheLog(const JobFileOptions& files) {
  std::vector<std::filesystem::path> paths{PathFromUtf8(files.params)};
  for (std::filesystem::path& keywordFile : KeywordFilesToLoad(files)) {
    paths.push_back(std::move(keywordFile));
  }
  return paths;
}

// One printer's job and what it tells, alive until every job has ended.
struct PrinterRun {
  PrinterRun(JobInterrupts& interrupts, const PrinterPort& port, PrinterEvents::Sinks sinks,
             JobOutput& output)
      : printer(port),
        events(printer, sinks),
        console(output, events),
        registration(interrupts.add([this] { console.interrupt(); })) {}

  const PrinterPort& printer;
  PrinterEvents events;
  JobConsole console;
  JobInterrupts::Registration registration;
  JobResult result;
};

// The outputs for people: one printer's as a single send always showed it, several as rows.
class OperatorOutput {
 public:
  OperatorOutput(const SendStreams& streams, const std::vector<PrinterPort>& printers, bool several)
      : single_(streams.err, streams.errIsTerminal) {
    if (several) {
      std::vector<std::string> names;
      for (const PrinterPort& printer : printers) {
        names.push_back(printer.label);
      }
      rows_.emplace(streams.err, streams.errIsTerminal, names);
    }
  }
  JobOutput& of(std::size_t index) { return rows_ ? rows_->row(index) : single_; }
  // A line of no printer's; after the jobs, below them.
  void line(const std::string& text) {
    if (rows_) {
      rows_->line(text);
    } else {
      single_.line(text);
    }
  }
  bool several() const { return rows_.has_value(); }

 private:
  ConsoleOutput single_;
  std::optional<PrinterRows> rows_;
};

void RunAtOnce(std::vector<std::unique_ptr<PrinterRun>>& runs, const UpdateJob& job,
               const SendOptions& options, OperatorOutput& output) {
  std::vector<std::thread> threads;
  for (std::size_t index = 0; index < runs.size(); ++index) {
    threads.emplace_back([&, index] {
      PrinterRun& run = *runs[index];
      UpdateJob own = job;
      own.portName = run.printer.openName;
      run.result = RunOverSession(run.console, std::move(own), options.trace, output.of(index));
    });
  }
  for (std::thread& thread : threads) {
    thread.join();
  }
}

void PrintSummary(const std::vector<std::unique_ptr<PrinterRun>>& runs, OperatorOutput& output) {
  std::size_t updated = 0;
  for (const auto& run : runs) {
    output.line(run->printer.label + ": " + run->result.outcomeText);
    updated += run->result.ok() ? 1 : 0;
  }
  output.line(std::to_string(updated) + " of " + std::to_string(runs.size()) +
              (runs.size() == 1 ? " printer updated" : " printers updated"));
}

// Every printer succeeded: 0; else the first failure's status in the order given.
int SendStatus(const std::vector<std::unique_ptr<PrinterRun>>& runs, bool interrupted) {
  if (interrupted) {
    return kExitInterrupted;
  }
  for (const auto& run : runs) {
    if (!run->result.ok()) {
      return run->result.status;
    }
  }
  return kExitSuccess;
}

// A log that did not take a printer's line is reported once every job has ended; it makes a
// successful send fail.
int ReportLogErrors(const std::vector<std::unique_ptr<PrinterRun>>& runs,
                    const SendOptions& options, OperatorOutput& output, int status) {
  for (const auto& run : runs) {
    if (const std::error_code error = run->events.logError()) {
      output.line("trel: " + options.logPath + ": " + error.message() + " (the line of " +
                  run->printer.label + " is not in it)");
      status = status == kExitSuccess ? kExitFailure : status;
    }
  }
  return status;
}

}  // namespace

int RunSend(const SendOptions& options, const SendStreams& streams) {
  // First, so that an interrupt from here on ends the command in order.
  JobInterrupts interrupts;
  const PrinterPortChoice choice =
      ChoosePrinterPorts(options.ports, options.allPorts, EnumerateSerialPorts());
  OperatorOutput output(streams, choice.printers, options.allPorts || options.ports.size() > 1);
  if (const std::string refusal = RefusePrinters(options, choice); !refusal.empty()) {
    output.line(refusal);
    return kExitBadRequest;
  }
  const StartChoices choices = ChoicesOf(options, choice.printers);
  if (const std::string refusal =
          RefuseStart(choices, options.files, PathFromUtf8(options.recordPath));
      !refusal.empty()) {
    output.line(refusal);
    return kExitBadRequest;
  }
  UpdateLog log;
  if (!options.logPath.empty()) {
    if (const std::error_code error = log.open(PathFromUtf8(options.logPath))) {
      output.line(options.logPath + ": " + error.message());
      return kExitBadRequest;
    }
  }
  const SentFiles files(options.logPath.empty() ? std::vector<std::filesystem::path>()
                                                : FilesHashedForTheLog(options.files));
  const PrivateWorkingCopy workingCopy;
  const UpdateJob job = JobOfEveryPrinter(options, workingCopy, choices);

  JsonEvents json(streams.out);
  const PrinterEvents::Sinks sinks{.json = options.json ? &json : nullptr,
                                   .log = options.logPath.empty() ? nullptr : &log,
                                   .files = files,
                                   .parameterList = job.parameterListPath};
  std::vector<std::unique_ptr<PrinterRun>> runs;
  for (std::size_t index = 0; index < choice.printers.size(); ++index) {
    runs.push_back(
        std::make_unique<PrinterRun>(interrupts, choice.printers[index], sinks, output.of(index)));
  }
  RunAtOnce(runs, job, options, output);
  if (output.several()) {
    PrintSummary(runs, output);
  }
  return ReportLogErrors(runs, options, output, SendStatus(runs, interrupts.interrupted()));
}

}  // namespace trel
