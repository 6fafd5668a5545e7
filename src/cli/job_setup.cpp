#include "cli/job_setup.h"

#include "cli/more_keywords.h"
#include "platform/tool_folder.h"
#include "platform/utf_convert.h"

namespace trel {

std::string RefuseStart(const StartChoices& choices, const std::filesystem::path& outputPath) {
  const StartDecision decision = CheckStartChoices(choices);
  if (decision.refused()) {
    return decision.refusal;
  }
  if (!outputPath.empty() && !CreateOutputFile(outputPath)) {
    return kOutputFileFailedText;
  }
  return {};
}

UpdateJob PrepareJob(const JobFileOptions& options, const PrivateWorkingCopy& workingCopy) {
  workingCopy.importFrom(options.params);
  UpdateJob job;
  job.workingCopyPath = workingCopy.path();
  job.mainKeywordPath = options.keywords;
  job.extraKeywordFolder = Utf16ToUtf8(FolderPart(Utf8ToUtf16(options.keywords)));
  for (const std::string& name : SplitMoreKeywords(options.moreKeywords)) {
    job.extraKeywordNames.emplace_back(name);
  }
  job.reboot = options.reboot ? 1 : 0;
  job.netprinter = options.netprinter;
  return job;
}

}  // namespace trel
