#pragma once

#include <chrono>
#include <functional>

#include "update/clock_frame.h"
#include "update/exchange.h"

namespace trel {

class KeywordLoader;
class MessageBoxes;
class PrinterLink;
class ReplyChannel;
class TextEncoding;
class WindowMessages;
struct KeywordTables;

// The services a job runs against; the front end owns all of them and keeps them alive until the
// worker has been joined.
struct UpdateEnvironment {
  PrinterLink& link;
  ReplyChannel& replies;
  WindowMessages& messages;
  MessageBoxes& boxes;
  TextEncoding& encoding;        // its separator code may be switched by the printer
  KeywordLoader& keywordLoader;  // fills keywordTables from each keyword file
  KeywordTables& keywordTables;
  std::function<LocalTime()> clock = CurrentLocalTime;
  std::chrono::milliseconds replyWait = kReplyWait;
};

}  // namespace trel
