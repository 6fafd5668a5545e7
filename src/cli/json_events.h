#pragma once

#include <mutex>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>

#include "cli/job_result.h"
#include "update/keyword_file_report.h"

namespace trel {

// `--json`: what the jobs do as events on standard output, one JSON object per line and nothing
// else there, each line whole and flushed as it happens, whichever printer's thread writes it.
// docs/trel-json.md describes them.
class JsonEvents {
 public:
  explicit JsonEvents(std::ostream& out) : out_(out) {}

  void start(const std::string& port, const std::string& device);
  void progress(const std::string& port, int percent, int framesSent);
  void keywordFile(const std::string& port, const KeywordFileReport& report);
  void outcome(const std::string& port, const JobResult& result);

 private:
  void write(const nlohmann::ordered_json& event);

  std::mutex mutex_;
  std::ostream& out_;
};

}  // namespace trel
