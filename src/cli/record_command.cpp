#include "cli/record_command.h"

#include "cli/exit_status.h"
#include "cli/job_console.h"
#include "cli/job_interrupts.h"
#include "cli/job_setup.h"
#include "link/no_printer_link.h"
#include "platform/utf8_path.h"

namespace trel {

int RunRecord(const RecordOptions& options, ConsoleOutput& output) {
  // First, so that an interrupt from here on ends the command in order.
  JobInterrupts interrupts;
  JobEvents noEvents;
  JobConsole console(output, noEvents);
  const JobInterrupts::Registration registration =
      interrupts.add([&console] { console.interrupt(); });
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
  return console.run(std::move(job), noPrinter).status;
}

}  // namespace trel
