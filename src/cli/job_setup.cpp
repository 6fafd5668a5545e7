#include "cli/job_setup.h"

#include <vector>

#include "platform/message_boxes.h"
#include "platform/tool_folder.h"
#include "platform/utf8_path.h"
#include "platform/utf_convert.h"
#include "tables/keyword_loader.h"
#include "update/more_xml_list.h"

namespace trel {

namespace {

// The further keyword files, named relative to the main keyword file's folder.
MoreXmlList MoreKeywordFiles(const JobFileOptions& options) {
  return BuildMoreXmlList(Utf8ToUtf16(options.moreKeywords), Utf8ToUtf16(options.keywords));
}

// Keeps the loader's messages: the refusal says which file did not load.
class QuietMessageBoxes : public MessageBoxes {
 public:
  void show(const std::string&, const std::string&) override {}
};

// With --strict, the first keyword file that does not load refuses the job.
std::string RefuseUnloadableKeywordFiles(const JobFileOptions& options) {
  QuietMessageBoxes quiet;
  TextEncoding encoding;
  KeywordLoader loader(encoding, quiet);
  KeywordTables tables;
  for (const std::filesystem::path& file : KeywordFilesToLoad(options)) {
    if (!loader.Load(tables, file)) {
      return "keyword file " + PathToUtf8(file) + ": it does not load as a keyword file (--strict)";
    }
  }
  return {};
}

}  // namespace

std::vector<std::filesystem::path> KeywordFilesToLoad(const JobFileOptions& options) {
  std::vector<std::filesystem::path> files;
  if (HasXmlEnding(options.keywords)) {
    files.push_back(PathFromUtf8(options.keywords));
  }
  const MoreXmlList more = MoreKeywordFiles(options);
  for (const std::u16string& name : more.names) {
    if (!name.empty()) {
      files.emplace_back(JoinFolderAndName(more.folder, name));
    }
  }
  return files;
}

std::string RefuseStart(const StartChoices& choices, const JobFileOptions& files,
                        const std::filesystem::path& outputPath) {
  const StartDecision decision = CheckStartChoices(choices);
  if (decision.refused()) {
    return decision.refusal;
  }
  if (files.strict) {
    if (std::string refusal = RefuseUnloadableKeywordFiles(files); !refusal.empty()) {
      return refusal;
    }
  }
  if (outputPath.empty()) {
    return {};
  }
  // The command line's working copy is private and made after these checks, and it reads no
  // settings file: neither can be the output file.
  FilesToSend toSend;
  toSend.parameterList = PathFromUtf8(files.params);
  toSend.keywordFile = PathFromUtf8(files.keywords);
  toSend.moreKeywordFiles = MoreKeywordFiles(files);
  const OutputRefusal refusal = PrepareOutput(outputPath, toSend);
  if (!refusal.cause) {
    return refusal.text;
  }
  // The window's text, then what only the command line adds: the file and the system's reason.
  return refusal.text + "\n" + PathToUtf8(outputPath) + ": " + refusal.cause.message();
}

UpdateJob PrepareJob(const JobFileOptions& options, const PrivateWorkingCopy& workingCopy) {
  workingCopy.importFrom(PathFromUtf8(options.params));
  UpdateJob job;
  job.parameterListPath = PathFromUtf8(options.params);
  job.workingCopyPath = workingCopy.path();
  job.mainKeywordPath = PathFromUtf8(options.keywords);
  AssignExtraKeywordFiles(job, MoreKeywordFiles(options));
  job.reboot = options.reboot ? 1 : 0;
  job.netprinter = options.netprinter;
  return job;
}

}  // namespace trel
