#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "platform/message_boxes.h"

namespace trel::testing {

// Keeps every message box the code under test shows, as (text, caption).
class RecordingMessageBoxes : public MessageBoxes {
 public:
  void show(const std::string& text, const std::string& caption) override {
    shown.emplace_back(text, caption);
  }
  std::vector<std::pair<std::string, std::string>> shown;
};

inline std::string AsString(std::span<const std::uint8_t> bytes) {
  return std::string(bytes.begin(), bytes.end());
}

}  // namespace trel::testing
