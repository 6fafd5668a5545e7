#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/message_boxes.h"
#include "platform/window_messages.h"
#include "tables/keyword_tables.h"

namespace trel::fuzz {

// Writes the input to a file of that name in a folder of this process's own; returns its path.
std::filesystem::path WriteInput(const std::string& name, const std::uint8_t* data,
                                 std::size_t size);

class SilentBoxes : public MessageBoxes {
 public:
  void show(const std::string&, const std::string&) override {}
};

class NoMessages : public WindowMessages {
 public:
  void post(unsigned, std::uintptr_t, std::intptr_t) override {}
};

// Sends the tables as a job that only records does, into a file beside the input.
void RecordKeywords(const KeywordTables& tables);

// Sends the working copy's parameter list as a job that only records does; returns the recording,
// or nothing when the download refused the list.
std::optional<std::vector<std::uint8_t>> RecordParameters(const std::filesystem::path& workingCopy);

}  // namespace trel::fuzz
