#include "cli/record_command.h"

#include "cli/exit_status.h"
#include "cli/job_console.h"
#include "cli/job_setup.h"
#include "platform/utf8_path.h"

namespace trel {

namespace {

// The link of a job that only records: no port is ever opened, so nothing can be written.
class NoPrinterLink : public PrinterLink {
 public:
  int SerialSetLine(int, std::uint32_t) override { return 1; }
  int SerialOpen(const std::string&) override { return 0; }
  int SerialWrite(const std::uint8_t*, std::size_t) override { return 0; }
  int SerialClose() override { return 1; }
  std::string lastOpenError() const override { return {}; }
};

}  // namespace

int RunRecord(const RecordOptions& options, ConsoleOutput& output) {
  // First, so that an interrupt from here on ends the command in order.
  JobConsole console(output);
  // With both record kinds ticked and no port chosen, Start skips its port checks.
  StartChoices choices;
  choices.paramFilePath = options.files.params;
  choices.saveIniData = true;
  choices.saveXmlData = true;
  choices.noPortSave = true;
  if (const std::string refusal = RefuseStart(choices, options.files, PathFromUtf8(options.out));
      !refusal.empty()) {
    output.line(refusal);
    return kExitBadRequest;
  }
  const PrivateWorkingCopy workingCopy;
  UpdateJob job = PrepareJob(options.files, workingCopy);
  job.saveIniData = true;
  job.saveXmlData = true;
  job.outputPath = PathFromUtf8(options.out);

  NoPrinterLink noPrinter;
  return console.run(std::move(job), noPrinter);
}

}  // namespace trel
