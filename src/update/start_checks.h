#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

#include "update/more_xml_list.h"

namespace trel {

// Refusals of Start, shown in the status line; nothing else changes.
inline constexpr char kNoIniFileText[] = "Please select Ini file first.";
inline constexpr char kNoPortFoundText[] = "No find com port.";
inline constexpr char kNoPortSelectedText[] = "No port be selected.";
inline constexpr char kOutputFileFailedText[] = "The file can't open";
inline constexpr char kOutputIsFileToSendText[] = "The output file is one of the files to send.";

// What the operator has chosen when pressing Start.
struct StartChoices {
  std::string paramFilePath;
  bool saveIniData = false;
  bool saveXmlData = false;
  bool noPortSave = false;       // setting NoPortSave: a Save box skips the port checks
  bool portFound = false;        // discovery has reported a port since start-up
  std::string portSelectorText;  // the port selector's text
  std::optional<std::string> selectedPortEntry;  // the text of its selected entry, if any
};

struct StartDecision {
  std::string refusal;  // empty when the job may start
  // True when the port was checked: portName is then the port to use and the line settings are
  // saved; false when NoPortSave skipped the checks and the previous port name stays.
  bool portChecked = false;
  std::string portName;

  bool refused() const { return !refusal.empty(); }
};

StartDecision CheckStartChoices(const StartChoices& choices);

// Baud rate of the baud selector's entry: 0 gives 9600, 1 gives 38400, any other 115200.
std::uint32_t BaudRateForSelectorIndex(int index);

// Every file a job reads, and the tool's own settings: Start empties the output file, so the output
// file must be none of them. An empty path stands for no file.
struct FilesToSend {
  std::filesystem::path parameterList;  // the list chosen in the window, or given to `trel`
  std::filesystem::path workingCopy;    // the copy of it that the job sends
  std::filesystem::path keywordFile;
  MoreXmlList moreKeywordFiles;  // in the keyword file's folder; an empty name is no file
  std::filesystem::path settingsFile;
};

// Why Start does not create the output file: the refusal shown in the status line and, for
// kOutputFileFailedText, the system's reason.
struct OutputRefusal {
  std::string text;  // empty when the file was created
  std::error_code cause;
};

// Creates the output file empty (emptying an existing one), unless it is one of the files to send
// (the same file by any path: a link or another spelling of it counts), is no regular file (a
// folder, a pipe or a device, refused before it is opened) or cannot be written.
OutputRefusal PrepareOutput(const std::filesystem::path& output, const FilesToSend& files);

// PrepareOutput's refusal text alone: kOutputIsFileToSendText or kOutputFileFailedText; empty
// when the file was created.
std::string PrepareOutputFile(const std::filesystem::path& output, const FilesToSend& files);

}  // namespace trel
