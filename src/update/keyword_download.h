#pragma once

#include <cstdint>

#include "update/keyword_payloads.h"

namespace trel {

class FrameExchange;
struct KeywordTables;
struct UpdateJob;

// Sends the tables as command-83 frames and the closing frame carrying job.keywordFileIndex; stops
// at the first frame that fails. True on success; job.sequence then holds the next unused value.
bool DownloadKeywords(const KeywordTables& tables, UpdateJob& job, FrameExchange& exchange,
                      std::uint8_t closingCode);

}  // namespace trel
