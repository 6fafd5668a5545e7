#include "update/start_checks.h"

#include <fstream>

namespace trel {

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

bool CreateOutputFile(const std::filesystem::path& path) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  return file.good();
}

}  // namespace trel
