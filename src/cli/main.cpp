#include <CLI/CLI.hpp>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "cli/decode_command.h"
#include "cli/exit_status.h"
#include "cli/output_check.h"
#include "cli/ports_command.h"
#include "cli/record_command.h"
#include "cli/send_command.h"
#include "platform/command_line.h"
#include "platform/serial_port.h"
#include "platform/serial_port_enumeration.h"
#include "platform/system_facts.h"
#include "platform/terminal.h"
#include "platform/utf8_path.h"
#include "platform/whole_file.h"
#include "version/trel_version.h"

namespace {

// An output file must be named: an empty name would record nothing, or turn `record` into a job
// that cannot run at all.
const CLI::Validator kNamedFile(
    [](const std::string& value) {
      return value.empty() ? std::string("an output file needs a name") : std::string();
    },
    "FILE");

// --expect counts printers: one at least.
const CLI::Validator kPrinterCount(
    [](const std::string& value) {
      int count = 0;
      return CLI::detail::lexical_cast(value, count) && count > 0
                 ? std::string()
                 : value + " is no number of printers (1 or more)";
    },
    "N");

// A file the job reads: it must be a regular file that can be read; otherwise the path and the
// system's reason. Names are UTF-8 texts on every system, so the check goes through
// PathFromUtf8 rather than CLI11's own, which takes the ANSI code page on Windows.
const CLI::Validator kReadableFile(
    [](const std::string& value) {
      std::error_code error;
      trel::ReadWholeFile(trel::PathFromUtf8(value), error);
      return error ? value + ": " + error.message() : std::string();
    },
    "FILE");

// The word given where a command belongs, when it names none of them.
std::optional<std::string> UnknownCommand(CLI::App& app,
                                          const std::vector<std::string>& arguments) {
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string& word = arguments[i];
    if (word.starts_with("-")) {
      continue;
    }
    const auto named = app.get_subcommands(
        [&word](const CLI::App* command) { return command->get_name() == word; });
    return named.empty() ? std::optional(word) : std::nullopt;
  }
  return std::nullopt;
}

void AddJobFileOptions(CLI::App& command, trel::JobFileOptions& files) {
  command.add_option("--params", files.params, "Parameter list file (INI)")
      ->required()
      ->check(kReadableFile);
  command
      .add_option("--keywords", files.keywords,
                  "Main keyword file; sent when its name ends in .xml")
      ->check(kReadableFile);
  command.add_option("--more-keywords", files.moreKeywords,
                     "Further keyword files \"A;B\", in the main keyword file's folder");
  command.add_flag("--reboot", files.reboot, "Ask the printer to reboot after the update");
  command.add_flag("--strict", files.strict,
                   "Refuse the job, before anything is sent, when a keyword file does not load");
  command
      .add_option("--netprinter", files.netprinter,
                  "The netprinter setting: 1 starts at 115200 baud with separator 0x2FF; above 1 "
                  "lets the printer choose the separator")
      ->capture_default_str();
}

void AddPrinterOptions(CLI::App& send, trel::SendOptions& options) {
  CLI::Option* all = send.add_flag("--all", options.allPorts,
                                   "Send to every port that `trel ports` reports as a printer's");
  send.add_option("--port", options.ports,
                  std::string(trel::kSerialPortNaming) +
                      "; sn:SERIAL names the USB adapter with that serial number. Give it once for "
                      "each printer: all are updated at the same time")
      ->excludes(all)
      ->allow_extra_args(false);
  send.add_option("--expect", options.expected, "Refuse to start unless there are N printers")
      ->check(kPrinterCount);
  send.add_option("--log", options.logPath,
                  "Append a line of JSON for each printer's job to FILE when it ends")
      ->check(kNamedFile);
  send.add_flag("--json", options.json,
                "Write events as JSON lines on standard output (progress and outcome of each "
                "printer)");
}

void AddSendOptions(CLI::App& send, trel::SendOptions& options) {
  AddPrinterOptions(send, options);
  AddJobFileOptions(send, options.files);
  send.add_option("--baud", options.baud, "Baud rate (default 9600, 115200 with netprinter 1)")
      ->check(CLI::IsMember({9600, 38400, 115200}));
  send.add_option("--stop-bits", options.stopBitsCode, "Stop bits: 1, 1.5 or 2")
      ->transform(
          CLI::CheckedTransformer(std::map<std::string, int>{{"1", 0}, {"1.5", 1}, {"2", 2}}))
      ->default_str("1");
  CLI::Option* record =
      send.add_option("--record", options.recordPath,
                      "Also record the frames sent to FILE (both kinds unless one is named)")
          ->check(kNamedFile);
  send.add_flag("--record-params", options.recordParams, "Record the parameter frames")
      ->needs(record);
  send.add_flag("--record-keywords", options.recordKeywords, "Record the keyword frames")
      ->needs(record);
  send.add_flag("--nowait", options.nowait, "A frame that is not acknowledged counts as accepted");
  send.add_flag("--trace", options.trace, "Show every frame sent and every reply, in hex");
}

void AddRecordOptions(CLI::App& record, trel::RecordOptions& options) {
  record.add_option("--out", options.out, "File that receives the frames")
      ->required()
      ->check(kNamedFile);
  AddJobFileOptions(record, options.files);
}

int RunCommand(int argc, char** argv) {
  trel::UseUtf8ConsoleOutput();
  CLI::App app{"trel: sends parameters and keyword tables to a receipt printer"};
  app.require_subcommand(1);
  app.set_version_flag("--version", std::string("trel ") + trel::kTrelVersion,
                       "Print the version and exit");

  trel::SendOptions sendOptions;
  CLI::App* send =
      app.add_subcommand("send", "Send the parameters and keyword tables to a printer");
  AddSendOptions(*send, sendOptions);

  trel::RecordOptions recordOptions;
  CLI::App* record =
      app.add_subcommand("record", "Record the frames a send would write, without a printer");
  AddRecordOptions(*record, recordOptions);

  CLI::App* ports = app.add_subcommand("ports", "List the serial ports and what the scan finds");

  std::string decodeFile;
  CLI::App* decode = app.add_subcommand("decode", "Print each frame of a recording");
  decode->add_option("FILE", decodeFile, "Recording to read")->required();

  std::vector<std::string> arguments = trel::CommandLineArguments(argc, argv);
  std::vector<char*> argumentTexts;
  for (std::string& argument : arguments) {
    argumentTexts.push_back(argument.data());
  }
  try {
    app.parse(static_cast<int>(argumentTexts.size()), argumentTexts.data());
  } catch (const CLI::ParseError& error) {
    if (const std::optional<std::string> word = UnknownCommand(app, arguments)) {
      std::cerr << "trel: \"" << *word << "\" is no command: send, record, ports or decode\n";
      return trel::kExitBadRequest;
    }
    const int status = app.exit(error);
    return status == 0 ? trel::kExitSuccess : trel::kExitBadRequest;
  }

  if (decode->parsed()) {
    return trel::RunDecode(trel::PathFromUtf8(decodeFile), std::cout, std::cerr);
  }
  if (ports->parsed()) {
    return trel::RunPorts(trel::EnumerateSerialPorts(), *trel::LocalSystemFacts(), std::cout);
  }
  const bool terminal = trel::StandardErrorIsTerminal();
  trel::ConsoleOutput output(std::cerr, terminal);
  try {
    return record->parsed()
               ? trel::RunRecord(recordOptions, output)
               : trel::RunSend(sendOptions,
                               {.out = std::cout, .err = std::cerr, .errIsTerminal = terminal});
  } catch (const std::exception& error) {
    output.line(std::string("trel: ") + error.what());
    return trel::kExitFailure;
  }
}

}  // namespace

int main(int argc, char** argv) {
  return trel::StatusAfterOutput(RunCommand(argc, argv));
}
