#include "tables/param_item.h"

#include <string>

namespace trel {

namespace {

std::u16string DecimalText(std::int32_t value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

}  // namespace

bool ParamSection::validIsFlag() const {
  return !isValid.empty() && (isValid.front() == u'0' || isValid.front() == u'1');
}

bool ParamSection::valid() const {
  return !validIsFlag() || ProfileNumber(isValid) != 0;
}

std::u16string ParamSection::splitSymbol() const {
  return validIsFlag() ? std::u16string() : isValid;
}

std::int32_t ParamSection::dataModeNumber() const {
  return ProfileNumber(dataMode);
}

std::int32_t ParamSection::hideLevel() const {
  return ProfileNumber(isHide);
}

std::u16string ParamSection::displayName() const {
  return nameEn.empty() ? name : nameEn;
}

std::u16string ParamSectionName(int number) {
  return DecimalText(number);
}

ParamSection ReadParamSection(const ProfileDocument& file, int number) {
  const std::u16string section = ParamSectionName(number);
  ParamSection read;
  read.number = number;
  read.command = file.get(section, u"Command", u"");
  read.name = file.get(section, u"Name", u"");
  read.nameEn = file.get(section, u"NameEn", u"");
  read.isValid = file.get(section, u"IsValid", u"0");
  read.dataMode = file.get(section, u"DataMode", u"0");
  read.isHide = file.get(section, u"IsHide", u"2");
  return read;
}

std::u16string DataModeName(std::int32_t mode) {
  switch (mode) {
    case kDataModeHex:
      return u"HEX";
    case kDataModeAscii:
      return u"ASCII";
    case kDataModeUnicode:
      return u"UNICODE";
    case kDataModeUtf8:
      return u"UTF8";
    default:
      return DecimalText(mode);
  }
}

ParamItem ParamItem::FromSection(const ParamSection& section) {
  ParamItem item;
  item.id = section.number;
  item.commandName = section.displayName();
  item.dataMode = section.dataModeNumber();
  item.command = section.command;
  item.splitSymbol = section.splitSymbol();
  item.valid = section.valid();
  return item;
}

}  // namespace trel
