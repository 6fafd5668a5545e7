#include "cli/send_command.h"

#include "cli/exit_status.h"
#include "cli/job_console.h"
#include "cli/job_setup.h"
#include "cli/trace_printer.h"
#include "cli/watched_printer_link.h"
#include "link/serial_session.h"
#include "platform/utf8_path.h"

namespace trel {

namespace {

constexpr std::uint32_t kNetprinterBaudRate = 115200;
constexpr std::uint32_t kDefaultBaudRate = 9600;

// With --record alone both kinds of frames are recorded; with one kind named, only that kind.
bool RecordsAll(const SendOptions& options) {
  return !options.recordPath.empty() && !options.recordParams && !options.recordKeywords;
}

StartChoices ChoicesOf(const SendOptions& options) {
  const bool recording = !options.recordPath.empty();
  StartChoices choices;
  choices.paramFilePath = options.files.params;
  choices.saveIniData = recording && (options.recordParams || RecordsAll(options));
  choices.saveXmlData = recording && (options.recordKeywords || RecordsAll(options));
  choices.portFound = true;
  choices.portSelectorText = options.port;
  choices.selectedPortEntry = options.port;
  return choices;
}

// Runs the job over a started serial session and shuts the session down afterwards.
int RunOverSession(JobConsole& console, UpdateJob job, bool trace, ConsoleOutput& output) {
  TracePrinter tracePrinter(output);
  SerialSession session;
  if (trace) {
    session.SerialSetDataCallback(
        [&tracePrinter, &console](std::uint32_t, std::uint32_t length, const std::uint8_t* bytes) {
          tracePrinter.received({bytes, length});
          return console.replies().OnReply(length, bytes);
        });
  } else {
    session.SerialSetDataCallback(console.replies().dataCallback());
  }
  if (session.SerialStart(&console.messages()) == 0) {
    output.line("the serial link could not be started");
    return kExitFailure;
  }
  WatchedPrinterLink tracedLink(
      session, [&tracePrinter](std::span<const std::uint8_t> frame) { tracePrinter.sent(frame); });
  PrinterLink& link = trace ? static_cast<PrinterLink&>(tracedLink) : session;
  const int status = console.run(std::move(job), link);
  console.replies().StopAccepting();
  session.SerialShutdown();
  return status;
}

}  // namespace

int RunSend(const SendOptions& options, ConsoleOutput& output) {
  // First, so that an interrupt from here on ends the command in order.
  JobConsole console(output);
  const StartChoices choices = ChoicesOf(options);
  if (const std::string refusal =
          RefuseStart(choices, options.files, PathFromUtf8(options.recordPath));
      !refusal.empty()) {
    output.line(refusal);
    return kExitBadRequest;
  }
  const PrivateWorkingCopy workingCopy;
  UpdateJob job = PrepareJob(options.files, workingCopy);
  job.portName = options.port;
  job.baudRate =
      options.baud.value_or(options.files.netprinter == 1 ? kNetprinterBaudRate : kDefaultBaudRate);
  job.stopbits = options.stopBitsCode;
  job.saveIniData = choices.saveIniData;
  job.saveXmlData = choices.saveXmlData;
  job.outputPath = PathFromUtf8(options.recordPath);
  job.nowait = options.nowait;
  return RunOverSession(console, std::move(job), options.trace, output);
}

}  // namespace trel
