#include "cli/send_command.h"

#include <algorithm>
#include <vector>

#include "cli/exit_status.h"
#include "cli/job_interrupts.h"
#include "cli/job_setup.h"
#include "cli/operator_output.h"
#include "cli/printer_events.h"
#include "cli/printer_ports.h"
#include "cli/printers_at_once.h"
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

}  // namespace

int RunSend(const SendOptions& options, const SendStreams& streams) {
  // First, so that an interrupt from here on ends the command in order.
  JobInterrupts interrupts;
  const PrinterPortChoice choice =
      ChoosePrinterPorts(options.ports, options.allPorts, EnumerateSerialPorts());
  std::vector<std::string> names;
  for (const PrinterPort& printer : choice.printers) {
    names.push_back(printer.label);
  }
  OperatorOutput output(streams.err, streams.errIsTerminal, names,
                        options.allPorts || options.ports.size() > 1);
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
  PrintersAtOnce printers(interrupts, choice.printers, sinks, output);
  printers.run(job, options.trace);
  if (output.several()) {
    printers.printSummary();
  }
  return printers.statusAfterTheLog(printers.status(interrupts.interrupted()), options.logPath);
}

}  // namespace trel
