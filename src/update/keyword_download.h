#pragma once

#include <cstdint>
#include <filesystem>

#include "update/keyword_payloads.h"

namespace trel {

class FrameExchange;
struct KeywordTables;
struct UpdateJob;

// Sends the tables as command-83 frames and the closing frame carrying job.keywordFileIndex; stops
// at the first frame that fails, which the job keeps with its place in the file. True on success;
// job.sequence then holds the next unused value.
bool DownloadKeywords(const KeywordTables& tables, const std::filesystem::path& file,
                      UpdateJob& job, FrameExchange& exchange, std::uint8_t closingCode);

}  // namespace trel
