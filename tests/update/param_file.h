#pragma once

#include <string>

namespace trel::testing {

// One section of a parameter list file; an empty isHide leaves the key out.
inline std::string ParamSectionText(int number, const std::string& command,
                                    const std::string& isValid = "1", int dataMode = 1,
                                    const std::string& isHide = "0") {
  std::string text = "[" + std::to_string(number) + "]\r\nCommand=" + command +
                     "\r\nIsValid=" + isValid + "\r\nDataMode=" + std::to_string(dataMode) + "\r\n";
  if (!isHide.empty()) {
    text += "IsHide=" + isHide + "\r\n";
  }
  return text;
}

}  // namespace trel::testing
