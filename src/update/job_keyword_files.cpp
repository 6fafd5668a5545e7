#include "update/job_keyword_files.h"

#include <algorithm>

#include "platform/tool_folder.h"
#include "platform/utf8_path.h"
#include "platform/whole_file.h"
#include "tables/keyword_loader.h"
#include "update/update_job.h"

namespace trel {

std::filesystem::path ExtraKeywordFile(const UpdateJob& job, const std::filesystem::path& name) {
  return JoinFolderAndName(job.extraKeywordFolder.u16string(), name.u16string());
}

std::vector<std::filesystem::path> KeywordFilesOfJob(const UpdateJob& job) {
  std::vector<std::filesystem::path> files;
  if (!job.mainKeywordPath.empty() && HasXmlEnding(PathToUtf8(job.mainKeywordPath))) {
    files.push_back(job.mainKeywordPath);
  }
  const std::size_t extras = std::min(job.extraKeywordNames.size(), kMaxExtraKeywordFiles);
  for (std::size_t index = 0; index < extras; ++index) {
    if (const std::filesystem::path& name = job.extraKeywordNames[index]; !name.empty()) {
      files.push_back(ExtraKeywordFile(job, name));
    }
  }
  return files;
}

std::vector<std::filesystem::path> UnreadableKeywordFiles(const UpdateJob& job) {
  std::vector<std::filesystem::path> unreadable;
  for (const std::filesystem::path& file : KeywordFilesOfJob(job)) {
    std::error_code error;
    if (!ReadWholeFile(file, error)) {
      unreadable.push_back(file);
    }
  }
  return unreadable;
}

}  // namespace trel
