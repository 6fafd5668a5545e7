#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace trel {

// Sections and keys of the tool's settings file.
inline constexpr char16_t kPrnSection[] = u"PRN";
inline constexpr char16_t kIniSection[] = u"INI";
inline constexpr char16_t kComSection[] = u"COM";
inline constexpr char16_t kPrnFile1Key[] = u"PrnFile1";
inline constexpr char16_t kXmlFile2Key[] = u"XmlFile2";
inline constexpr char16_t kIniFileKey[] = u"IniFile";
inline constexpr char16_t kComportKey[] = u"comport";
inline constexpr char16_t kBaudRateKey[] = u"baudRate";
inline constexpr char16_t kStopbitsKey[] = u"stopbits";
inline constexpr char16_t kRebootKey[] = u"Reboot";

inline constexpr std::uint32_t kPlainBaudRate = 9600;
inline constexpr std::uint32_t kMiddleBaudRate = 38400;
inline constexpr std::uint32_t kNetBaudRate = 115200;

// The values of "TrelTool.ini" as start-up reads them, with the defaults of a missing file or key.
struct ToolSettings {
  std::u16string prnFile1;  // main keyword file path
  std::u16string xmlFile2;  // further keyword file names, separated by ";"
  std::u16string iniFile;   // parameter list file path
  bool nowait = false;
  int stopbits = 0;  // stop-bit selector entry 0..2
  int netprinter = 2;
  std::uint32_t baudRate = kPlainBaudRate;
  std::u16string comport;  // the port used last
  int noXml = 0;
  bool noPortSave = false;
  bool openSel = false;

  // The character backslash-s stands for until the printer says otherwise.
  char16_t initialSeparatorCode() const;
  // The baud selector entry of baudRate: 0 for 9600 or less, 1 up to 38400, 2 above.
  int baudSelectorIndex() const;
  // The keyword file row is removed when NoXml is 1 and no keyword file is set.
  bool hidesKeywordRow() const { return noXml == 1 && prnFile1.empty(); }
};

// Reads the settings in start-up order; a missing file or key gives its default.
ToolSettings ReadToolSettings(const std::filesystem::path& settingsFile);

// "Reboot" in "PRN", read by Start when a Save box is checked.
int ReadRebootSetting(const std::filesystem::path& settingsFile);

}  // namespace trel
