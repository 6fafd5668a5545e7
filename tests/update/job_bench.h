#pragma once

#include <chrono>
#include <string>

#include "support/temp_dir.h"
#include "tables/keyword_loader.h"
#include "tables/text_encoding.h"
#include "update/fake_printer.h"
#include "update/update_environment.h"
#include "update/update_job.h"

namespace trel::testing {

// One section of a parameter list file; an empty isHide leaves the key out.
inline std::string ParamSectionText(int number, const std::string& command,
                                    const std::string& isValid = "1", int dataMode = 1,
                                    const std::string& isHide = "0") {
  return "[" + std::to_string(number) + "]\r\nCommand=" + command + "\r\nIsValid=" + isValid +
         "\r\nDataMode=" + std::to_string(dataMode) + "\r\n" +
         (isHide.empty() ? "" : "IsHide=" + isHide + "\r\n");
}

// What a job runs against: a fake printer on port "ttyUSB0" (opened), a recorded front end, the
// real keyword loader, and a working copy of two ASCII items "A" and "B".
struct JobBench {
  explicit JobBench(bool printerAnswersFromOwnThread = false)
      : printer(replies, printerAnswersFromOwnThread) {
    job.portName = "ttyUSB0";
    job.workingCopyPath =
        dir.write("TrelDefault.ini", ParamSectionText(1, "A") + ParamSectionText(2, "B"));
    job.extraKeywordFolder = dir.path();
    printer.SerialOpen(job.portName);
  }

  UpdateEnvironment Environment(std::chrono::milliseconds replyWait = kShortWait) {
    UpdateEnvironment environment{printer, replies, frontEnd, frontEnd, encoding, loader, tables};
    environment.replyWait = replyWait;
    return environment;
  }

  ExchangeSettings Settings() const {
    return {job.fileOnly, job.nowait, job.outputPath, kShortWait};
  }

  // The lParam of the WM_UPDATE_STATUS that ended the last job; -1 when none did.
  std::intptr_t LastOutcome() const {
    const auto posts = frontEnd.posts();
    return posts.empty() || posts.back().wParam != kStatusJobEnded ? -1 : posts.back().lParam;
  }

  // A wait long enough for the fake's answers, short enough for tests of silence.
  static constexpr std::chrono::milliseconds kShortWait{30};

  TempDir dir;
  RecordedFrontEnd frontEnd;
  ReplyChannel replies{frontEnd};
  FakePrinter printer;
  TextEncoding encoding;
  KeywordLoader loader{encoding, frontEnd};
  KeywordTables tables;
  UpdateJob job;
};

}  // namespace trel::testing
