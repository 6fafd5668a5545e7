#pragma once

#include <filesystem>
#include <vector>

namespace trel {

struct UpdateJob;

// The path the job opens an extra keyword file by: the main keyword file's folder and the name.
std::filesystem::path ExtraKeywordFile(const UpdateJob& job, const std::filesystem::path& name);

// Every keyword file the job would open, in the order it opens them: the main keyword file when it
// is sent (its XML form), then each named extra file of the list.
std::vector<std::filesystem::path> KeywordFilesOfJob(const UpdateJob& job);

// Those of them that cannot be read now (missing, unreadable, or no regular file).
std::vector<std::filesystem::path> UnreadableKeywordFiles(const UpdateJob& job);

}  // namespace trel
