#pragma once

#include <filesystem>
#include <mutex>
#include <nlohmann/json.hpp>
#include <system_error>

#include "cli/job_result.h"
#include "cli/printer_ports.h"
#include "cli/sent_files.h"
#include "platform/durable_append_file.h"

namespace trel {

// `--log FILE`: one line of JSON for each printer's job when it ends, appended whole and flushed
// to the disk, so a crash or power loss never leaves half a line or loses an earlier one; the lines
// of several printers never interleave. docs/trel-json.md describes them.
class UpdateLog {
 public:
  // Opens the file for appending, creating it when missing; the system's reason when it cannot.
  std::error_code open(const std::filesystem::path& file);
  // Appends the line of one job; any thread. The system's reason when the log did not take it.
  std::error_code append(const nlohmann::ordered_json& entry);

 private:
  std::mutex mutex_;
  DurableAppendFile file_;
};

// The log line of one printer's job: when it began (UTC, ISO 8601 with milliseconds), how long it
// took, the version of trel, the port and its adapter, each file sent, frames sent and resends,
// the firmware level reported, the outcome, whether it succeeded and its exit status.
nlohmann::ordered_json UpdateLogEntry(const PrinterPort& printer, const JobResult& result,
                                      const SentFiles& files,
                                      const std::filesystem::path& parameterList);

}  // namespace trel
