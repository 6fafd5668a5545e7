#include "cli/job_setup.h"

#include "platform/utf_convert.h"
#include "update/more_xml_list.h"

namespace trel {

namespace {

// The further keyword files, named relative to the main keyword file's folder.
MoreXmlList MoreKeywordFiles(const JobFileOptions& options) {
  return BuildMoreXmlList(Utf8ToUtf16(options.moreKeywords), Utf8ToUtf16(options.keywords));
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
  // The command line's working copy is private and made after these checks, and it reads no
  // settings file: neither can be the output file.
  FilesToSend toSend;
  toSend.parameterList = files.params;
  toSend.keywordFile = files.keywords;
  toSend.moreKeywordFiles = MoreKeywordFiles(files);
  const OutputRefusal refusal = PrepareOutput(outputPath, toSend);
  if (!refusal.cause) {
    return refusal.text;
  }
  // The window's text, then what only the command line adds: the file and the system's reason.
  return refusal.text + "\n" + outputPath.string() + ": " + refusal.cause.message();
}

UpdateJob PrepareJob(const JobFileOptions& options, const PrivateWorkingCopy& workingCopy) {
  workingCopy.importFrom(options.params);
  UpdateJob job;
  job.workingCopyPath = workingCopy.path();
  job.mainKeywordPath = options.keywords;
  AssignExtraKeywordFiles(job, MoreKeywordFiles(options));
  job.reboot = options.reboot ? 1 : 0;
  job.netprinter = options.netprinter;
  return job;
}

}  // namespace trel
