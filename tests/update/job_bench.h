#pragma once

#include <chrono>
#include <cstdint>

#include "platform/window_messages.h"
#include "support/temp_dir.h"
#include "tables/keyword_loader.h"
#include "tables/text_encoding.h"
#include "update/fake_printer.h"
#include "update/param_file.h"
#include "update/update_environment.h"
#include "update/update_job.h"

namespace trel::testing {

// Everything a whole job runs against: a fake printer, recorded front-end services, real keyword
// tables and loader, and a job for port "ttyUSB0" whose working copy holds two ASCII items.
struct JobBench {
  explicit JobBench(bool printerAnswersFromOwnThread = false)
      : printer(replies, printerAnswersFromOwnThread) {
    job.portName = "ttyUSB0";
    job.workingCopyPath =
        dir.write("TrelDefault.ini", ParamSectionText(1, "A") + ParamSectionText(2, "B"));
    job.extraKeywordFolder = dir.path();
  }

  UpdateEnvironment Environment(std::chrono::milliseconds replyWait) {
    UpdateEnvironment environment{printer, replies, messages, boxes, encoding, loader, tables};
    environment.replyWait = replyWait;
    return environment;
  }

  // The lParam of the last WM_UPDATE_STATUS that ended a job; -1 when none did.
  std::intptr_t LastOutcome() const {
    const auto posts = messages.posts();
    if (posts.empty() || posts.back().wParam != kStatusJobEnded) {
      return -1;
    }
    return posts.back().lParam;
  }

  TempDir dir;
  RecordedMessages messages;
  RecordedBoxes boxes;
  ReplyChannel replies{messages};
  FakePrinter printer;
  TextEncoding encoding;
  KeywordLoader loader{encoding, boxes};
  KeywordTables tables;
  UpdateJob job;
};

}  // namespace trel::testing
