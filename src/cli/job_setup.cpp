#include "cli/job_setup.h"

#include <algorithm>
#include <system_error>
#include <vector>

#include "platform/tool_folder.h"
#include "platform/utf8_path.h"
#include "platform/utf_convert.h"
#include "update/more_xml_list.h"

namespace trel {

namespace {

// The further keyword files, named relative to the main keyword file's folder.
MoreXmlList MoreKeywordFiles(const JobFileOptions& options) {
  return BuildMoreXmlList(Utf8ToUtf16(options.moreKeywords), Utf8ToUtf16(options.keywords));
}

// Every file the job reads: creating the output file empty must not destroy one of them.
std::vector<std::filesystem::path> InputFiles(const JobFileOptions& options) {
  std::vector<std::filesystem::path> inputs{PathFromUtf8(options.params),
                                            PathFromUtf8(options.keywords)};
  const MoreXmlList more = MoreKeywordFiles(options);
  for (const std::u16string& name : more.names) {
    inputs.emplace_back(JoinFolderAndName(more.folder, name));
  }
  return inputs;
}

bool IsOneOf(const std::filesystem::path& file, const std::vector<std::filesystem::path>& others) {
  return std::ranges::any_of(others, [&file](const std::filesystem::path& other) {
    std::error_code missing;
    return std::filesystem::equivalent(file, other, missing);
  });
}

}  // namespace

std::string RefuseStart(const StartChoices& choices, const JobFileOptions& files,
                        const std::filesystem::path& outputPath) {
  const StartDecision decision = CheckStartChoices(choices);
  if (decision.refused()) {
    return decision.refusal;
  }
  if (outputPath.empty()) {
    return {};
  }
  if (IsOneOf(outputPath, InputFiles(files))) {
    return "The output file is one of the files to send: " + PathToUtf8(outputPath);
  }
  if (!CreateOutputFile(outputPath)) {
    return kOutputFileFailedText;
  }
  return {};
}

UpdateJob PrepareJob(const JobFileOptions& options, const PrivateWorkingCopy& workingCopy) {
  workingCopy.importFrom(PathFromUtf8(options.params));
  UpdateJob job;
  job.workingCopyPath = workingCopy.path();
  job.mainKeywordPath = PathFromUtf8(options.keywords);
  AssignExtraKeywordFiles(job, MoreKeywordFiles(options));
  job.reboot = options.reboot ? 1 : 0;
  job.netprinter = options.netprinter;
  return job;
}

}  // namespace trel
