#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace trel::testing {

// A parameter list whose items, each (DataMode, Command), are all valid and shown, numbered from 1.
std::string ParamList(const std::vector<std::pair<int, std::string>>& items);

// The frames laid end to end, as a recording holds them.
std::string Concatenated(const std::vector<std::vector<std::uint8_t>>& frames);

// How often `part` occurs in `text`; whether it occurs at all.
int CountOf(const std::string& text, const std::string& part);
bool Has(const std::string& text, const std::string& part);

// True when `bytes` occur somewhere in `text`.
bool Contains(const std::string& text, std::span<const std::uint8_t> bytes);

}  // namespace trel::testing
