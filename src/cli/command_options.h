#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace trel {

// What `send` and `record` both take: the files to send and how the printer should treat them.
struct JobFileOptions {
  std::string params;        // the parameter list, imported into a private working copy
  std::string keywords;      // the main keyword file; empty when none
  std::string moreKeywords;  // further keyword files "A;B", relative to the keyword file's folder
  bool reboot = false;
  int netprinter = 2;
  bool strict = false;  // a keyword file that does not load refuses the job before it starts
};

struct SendOptions {
  JobFileOptions files;
  std::vector<std::string>
      ports;                    // each a printer: a port, or "sn:" and an adapter's serial number
  bool allPorts = false;        // every port the scan qualifies as a printer's
  std::optional<int> expected;  // the number of printers there must be
  std::string logPath;          // empty: no update log
  bool json = false;            // events on standard output
  std::optional<std::uint32_t> baud;  // default: 115200 with netprinter 1, else 9600
  int stopBitsCode = 0;               // 0 one, 1 one and a half, 2 two stop bits
  std::string recordPath;             // empty: record nothing
  bool recordParams = false;
  bool recordKeywords = false;
  bool nowait = false;
  bool trace = false;
};

struct RecordOptions {
  JobFileOptions files;
  std::string out;
};

}  // namespace trel
