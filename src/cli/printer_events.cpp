#include "cli/printer_events.h"

namespace trel {

void PrinterEvents::started() {
  if (sinks_.json != nullptr) {
    sinks_.json->start(printer_.label, printer_.openName);
  }
}

void PrinterEvents::progressed(int percent, int framesSent) {
  if (sinks_.json != nullptr) {
    sinks_.json->progress(printer_.label, percent, framesSent);
  }
}

void PrinterEvents::ended(const JobResult& result) {
  if (sinks_.json != nullptr) {
    for (const KeywordFileReport& report : result.keywordFiles) {
      sinks_.json->keywordFile(printer_.label, report);
    }
    sinks_.json->outcome(printer_.label, result);
  }
  if (sinks_.log != nullptr) {
    logError_ =
        sinks_.log->append(UpdateLogEntry(printer_, result, sinks_.files, sinks_.parameterList));
  }
}

}  // namespace trel
