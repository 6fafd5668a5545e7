#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "cli/exit_status.h"
#include "update/keyword_file_report.h"

namespace trel {

// What one job came to, as `trel` reports it to the operator, the scripts and the update log.
struct JobResult {
  int status = kExitFailure;         // the exit status a run of this job alone gives
  std::string outcomeText;           // "Download success.", the failure's text, or "interrupted"
  int framesSent = 0;                // every write of a frame to the printer, resends included
  int resends = 0;                   // writes of the same frame again
  std::optional<int> firmwareLevel;  // what the printer's clock acknowledgement reported
  bool parametersSent = false;       // the parameter list's frames all went through
  std::vector<KeywordFileReport> keywordFiles;
  std::chrono::system_clock::time_point startedAt;
  std::chrono::milliseconds duration{0};

  bool ok() const { return status == kExitSuccess; }
};

}  // namespace trel
