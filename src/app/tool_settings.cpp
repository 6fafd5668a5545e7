#include "app/tool_settings.h"

#include <algorithm>

#include "platform/private_profile.h"
#include "tables/text_encoding.h"

namespace trel {
namespace {

constexpr int kLastStopBitsEntry = 2;

int ReadNumber(const ProfileDocument& file, std::u16string_view section, std::u16string_view key,
               std::u16string_view fallback) {
  return ProfileNumber(file.get(section, key, fallback));
}

std::uint32_t ClampBaudRate(int rate) {
  return static_cast<std::uint32_t>(std::clamp<std::int64_t>(rate, 0, kNetBaudRate));
}

}  // namespace

char16_t ToolSettings::initialSeparatorCode() const {
  return netprinter == 1 ? TextEncoding::kNetSeparator : TextEncoding::kPlainSeparator;
}

int ToolSettings::baudSelectorIndex() const {
  if (baudRate <= kPlainBaudRate) {
    return 0;
  }
  return baudRate <= kMiddleBaudRate ? 1 : 2;
}

ToolSettings ReadToolSettings(const std::filesystem::path& settingsFile) {
  const ProfileDocument file = ProfileDocument::Load(settingsFile);
  ToolSettings settings;
  settings.prnFile1 = file.get(kPrnSection, kPrnFile1Key, u"");
  settings.xmlFile2 = file.get(kPrnSection, kXmlFile2Key, u"");
  settings.iniFile = file.get(kIniSection, kIniFileKey, u"");
  settings.nowait = ReadNumber(file, kComSection, u"nowait", u"0") != 0;
  // A negative entry selects the first one rather than none.
  settings.stopbits =
      std::clamp(ReadNumber(file, kComSection, kStopbitsKey, u"0"), 0, kLastStopBitsEntry);
  settings.netprinter = ReadNumber(file, kComSection, u"netprinter", u"2");
  settings.baudRate = ClampBaudRate(
      ReadNumber(file, kComSection, kBaudRateKey, settings.netprinter == 1 ? u"115200" : u"9600"));
  settings.comport = file.get(kComSection, kComportKey, u"");
  settings.noXml = ReadNumber(file, kPrnSection, u"NoXml", u"0");
  settings.noPortSave = ReadNumber(file, kPrnSection, u"NoPortSave", u"0") != 0;
  settings.openSel = ReadNumber(file, kPrnSection, u"OpenSel", u"0") != 0;
  return settings;
}

int ReadRebootSetting(const std::filesystem::path& settingsFile) {
  return ProfileNumber(ReadProfileString(settingsFile, kPrnSection, kRebootKey, u"0"));
}

}  // namespace trel
