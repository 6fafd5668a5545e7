#include "cli/printer_session.h"

#include <exception>
#include <string>

#include "cli/exit_status.h"
#include "cli/trace_printer.h"
#include "cli/watched_printer_link.h"
#include "link/serial_session.h"

namespace trel {

namespace {

JobResult Failed(const std::string& text) {
  JobResult result;
  result.status = kExitFailure;
  result.outcomeText = text;
  return result;
}

JobResult RunStartedSession(JobConsole& console, UpdateJob job, bool trace, JobOutput& output) {
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
    constexpr char kNotStarted[] = "the serial link could not be started";
    output.line(kNotStarted);
    return Failed(kNotStarted);
  }
  WatchedPrinterLink tracedLink(
      session, [&tracePrinter](std::span<const std::uint8_t> frame) { tracePrinter.sent(frame); });
  PrinterLink& link = trace ? static_cast<PrinterLink&>(tracedLink) : session;
  JobResult result = console.run(std::move(job), link);
  console.replies().StopAccepting();
  session.SerialShutdown();
  return result;
}

}  // namespace

JobResult RunOverSession(JobConsole& console, UpdateJob job, bool trace, JobOutput& output) {
  try {
    return RunStartedSession(console, std::move(job), trace, output);
  } catch (const std::exception& error) {
    const std::string text = std::string("trel: ") + error.what();
    output.line(text);
    return Failed(text);
  }
}

}  // namespace trel
