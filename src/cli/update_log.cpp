#include "cli/update_log.h"

#include <chrono>
#include <cstdio>

#include "cli/udev_rules_scan.h"
#include "version/trel_version.h"

namespace trel {

namespace {

using nlohmann::ordered_json;

// "2024-05-01T10:00:00.123Z".
std::string UtcTimestamp(std::chrono::system_clock::time_point time) {
  using namespace std::chrono;
  const auto milliseconds = floor<std::chrono::milliseconds>(time);
  const auto day = floor<days>(milliseconds);
  const year_month_day date(day);
  const hh_mm_ss clock(milliseconds - day);
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02d.%03dZ", int(date.year()),
                unsigned(date.month()), unsigned(date.day()), int(clock.hours().count()),
                int(clock.minutes().count()), int(clock.seconds().count()),
                int(clock.subseconds().count()));
  return text;
}

ordered_json Adapter(const PrinterPort& printer) {
  const std::optional<UsbId> id =
      printer.adapter ? UsbIdOfHardwareKey(printer.adapter->hardwareKey) : std::nullopt;
  if (!id) {
    return nullptr;
  }
  ordered_json adapter{{"vid", id->vendor}, {"pid", id->product}};
  if (!printer.adapter->serialNumber.empty()) {
    adapter["serialNumber"] = printer.adapter->serialNumber;
  }
  return adapter;
}

ordered_json File(const SentFile& file) {
  return {{"path", file.path}, {"size", file.size}, {"sha256", file.sha256}};
}

// The parameter list once its frames went through, then each keyword file sent.
ordered_json Files(const JobResult& result, const SentFiles& files,
                   const std::filesystem::path& parameterList) {
  ordered_json sent = ordered_json::array();
  std::vector<std::filesystem::path> paths;
  if (result.parametersSent) {
    paths.push_back(parameterList);
  }
  for (const KeywordFileReport& report : result.keywordFiles) {
    if (report.fate == KeywordFileFate::kSent) {
      paths.push_back(report.file);
    }
  }
  for (const std::filesystem::path& path : paths) {
    if (const std::optional<SentFile> file = files.find(path)) {
      sent.push_back(File(*file));
    }
  }
  return sent;
}

}  // namespace

std::error_code UpdateLog::open(const std::filesystem::path& file) {
  return file_.open(file);
}

std::error_code UpdateLog::append(const ordered_json& entry) {
  const std::string line =
      entry.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
  const std::lock_guard lock(mutex_);
  return file_.append(line);
}

ordered_json UpdateLogEntry(const PrinterPort& printer, const JobResult& result,
                            const SentFiles& files, const std::filesystem::path& parameterList) {
  return {{"start", UtcTimestamp(result.startedAt)},
          {"durationMs", result.duration.count()},
          {"trelVersion", kTrelVersion},
          {"port", printer.label},
          {"device", printer.openName},
          {"adapter", Adapter(printer)},
          {"files", Files(result, files, parameterList)},
          {"framesSent", result.framesSent},
          {"resends", result.resends},
          {"firmwareLevel",
           result.firmwareLevel ? ordered_json(*result.firmwareLevel) : ordered_json(nullptr)},
          {"outcome", result.outcomeText},
          {"ok", result.ok()},
          {"status", result.status}};
}

}  // namespace trel
