#pragma once

#include <filesystem>
#include <system_error>

#include "cli/job_events.h"
#include "cli/job_result.h"
#include "cli/json_events.h"
#include "cli/printer_ports.h"
#include "cli/sent_files.h"
#include "cli/update_log.h"

namespace trel {

// What the job of one printer of a send tells scripts: its --json events (when `json` is given)
// and its line of the update log (when `log` is given).
class PrinterEvents : public JobEvents {
 public:
  struct Sinks {
    JsonEvents* json = nullptr;
    UpdateLog* log = nullptr;
    const SentFiles& files;
    std::filesystem::path parameterList;
  };

  PrinterEvents(const PrinterPort& printer, Sinks sinks) : printer_(printer), sinks_(sinks) {}

  void started() override;
  void progressed(int percent, int framesSent) override;
  void ended(const JobResult& result) override;

  // Why the log did not take this job's line; empty when it did or there is no log.
  std::error_code logError() const { return logError_; }

 private:
  const PrinterPort& printer_;
  Sinks sinks_;
  std::error_code logError_;
};

}  // namespace trel
