#include "cli/json_events.h"

#include "platform/utf8_path.h"

namespace trel {

namespace {

nlohmann::ordered_json Event(const char* name, const std::string& port) {
  return {{"event", name}, {"port", port}};
}

}  // namespace

void JsonEvents::start(const std::string& port, const std::string& device) {
  nlohmann::ordered_json event = Event("start", port);
  event["device"] = device;
  write(event);
}

void JsonEvents::progress(const std::string& port, int percent, int framesSent) {
  nlohmann::ordered_json event = Event("progress", port);
  event["percent"] = percent;
  event["framesSent"] = framesSent;
  write(event);
}

void JsonEvents::keywordFile(const std::string& port, const KeywordFileReport& report) {
  nlohmann::ordered_json event = Event("keyword-file", port);
  event["path"] = PathToUtf8(report.file);
  event["sent"] = report.fate == KeywordFileFate::kSent;
  if (report.fate != KeywordFileFate::kSent) {
    event["why"] = KeywordFileFateText(report.fate);
  }
  write(event);
}

void JsonEvents::outcome(const std::string& port, const JobResult& result) {
  nlohmann::ordered_json event = Event("outcome", port);
  event["ok"] = result.ok();
  event["text"] = result.outcomeText;
  event["status"] = result.status;
  write(event);
}

void JsonEvents::write(const nlohmann::ordered_json& event) {
  // Texts from files and printers may hold bytes that are no UTF-8: they are replaced, never
  // allowed to end the run.
  const std::string line = event.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
  const std::lock_guard lock(mutex_);
  out_ << line << '\n';
  out_.flush();
}

}  // namespace trel
