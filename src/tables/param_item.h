#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/private_profile.h"

namespace trel {

// Sections of a parameter list file are named "1" to "160"; the number is the parameter's identity.
inline constexpr int kHighestParamSection = 160;

// How a parameter's command text becomes bytes on the wire.
enum ParamDataMode : std::int32_t {
  kDataModeHex = 0,
  kDataModeAscii = 1,
  kDataModeUnicode = 2,
  kDataModeUtf8 = 3,
};

// The raw key values of one numbered section, each with its default when missing. The table load
// and the parameter download both read sections through this one record and its rules.
struct ParamSection {
  int number = 0;
  std::u16string command;
  std::u16string name;
  std::u16string nameEn;
  std::u16string isValid;
  std::u16string dataMode;
  std::u16string isHide;

  // "IsValid" beginning with "0" or "1" is a flag; anything else is a split symbol.
  bool validIsFlag() const;
  // A flag counts by its decimal value ("10" is valid); a split symbol always counts as valid.
  bool valid() const;
  // The split symbol, or empty when "IsValid" is a flag.
  std::u16string splitSymbol() const;
  std::int32_t dataModeNumber() const;
  std::int32_t hideLevel() const;
  // IsHide below 1: shown in the parameter table (and sent).
  bool shownInTable() const { return hideLevel() < 1; }
  // IsHide above 1 (also a missing section): the list of parameters to send ends here.
  bool endsSendList() const { return hideLevel() > 1; }
  // "NameEn", or "Name" when "NameEn" is empty.
  std::u16string displayName() const;
};

std::u16string ParamSectionName(int number);
ParamSection ReadParamSection(const ProfileDocument& file, int number);

// "HEX", "ASCII", "UNICODE", "UTF8", or the number itself for any other mode.
std::u16string DataModeName(std::int32_t mode);

// One parameter as the table shows it.
struct ParamItem {
  int id = 0;
  std::u16string commandName;
  std::int32_t dataMode = kDataModeHex;
  std::u16string command;
  std::u16string splitSymbol;
  bool valid = false;

  static ParamItem FromSection(const ParamSection& section);
};

}  // namespace trel
