#include "update/start_checks.h"

#include <algorithm>
#include <system_error>
#include <vector>

#include "platform/output_file.h"
#include "platform/tool_folder.h"

namespace trel {
namespace {

std::vector<std::filesystem::path> Paths(const FilesToSend& files) {
  std::vector<std::filesystem::path> paths{files.parameterList, files.workingCopy,
                                           files.keywordFile, files.settingsFile};
  const MoreXmlList& more = files.moreKeywordFiles;
  for (const std::u16string& name : more.names) {
    if (!name.empty()) {
      // The path the job opens the file by.
      paths.emplace_back(JoinFolderAndName(more.folder, name));
    }
  }
  return paths;
}

// The same file, however named; a file that does not exist is no file to send.
bool IsOneOf(const std::filesystem::path& file, const std::vector<std::filesystem::path>& others) {
  return std::ranges::any_of(others, [&file](const std::filesystem::path& other) {
    std::error_code missing;
    return !other.empty() && std::filesystem::equivalent(file, other, missing);
  });
}

}  // namespace

StartDecision CheckStartChoices(const StartChoices& choices) {
  StartDecision decision;
  if (choices.paramFilePath.empty()) {
    decision.refusal = kNoIniFileText;
    return decision;
  }
  if (choices.noPortSave && (choices.saveIniData || choices.saveXmlData)) {
    return decision;  // recording without a port: the port stays as chosen before
  }
  if (!choices.portFound && choices.portSelectorText.empty()) {
    decision.refusal = kNoPortFoundText;
    return decision;
  }
  decision.portName = choices.selectedPortEntry.value_or(choices.portSelectorText);
  if (decision.portName.empty()) {
    decision.refusal = kNoPortSelectedText;
    return decision;
  }
  decision.portChecked = true;
  return decision;
}

std::uint32_t BaudRateForSelectorIndex(int index) {
  switch (index) {
    case 0:
      return 9600;
    case 1:
      return 38400;
    default:
      return 115200;
  }
}

OutputRefusal PrepareOutput(const std::filesystem::path& output, const FilesToSend& files) {
  if (IsOneOf(output, Paths(files))) {
    return {kOutputIsFileToSendText, {}};
  }
  if (const std::error_code cause = CreateEmptyRegularFile(output)) {
    return {kOutputFileFailedText, cause};
  }
  return {};
}

std::string PrepareOutputFile(const std::filesystem::path& output, const FilesToSend& files) {
  return PrepareOutput(output, files).text;
}

}  // namespace trel
