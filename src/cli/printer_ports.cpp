#include "cli/printer_ports.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "link/port_discovery.h"
#include "platform/utf8_path.h"

namespace trel {

namespace {

bool SameText(std::string_view a, std::string_view b) {
  return std::ranges::equal(
      a, b, [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

// Two names of one port: the same text regardless of case (Windows' names), or the same file.
bool SamePort(const std::string& a, const std::string& b) {
  std::error_code error;
  return SameText(a, b) || std::filesystem::equivalent(PathFromUtf8(a), PathFromUtf8(b), error);
}

// The name a found port is opened by: its device, else the name the scan gives it.
std::string OpenNameOf(const SerialPortInfo& port) {
  return !port.devicePath.empty() ? port.devicePath : QualifyingPortName(port).value_or("");
}

std::string Listed(const std::vector<std::string>& items) {
  std::string text;
  for (const std::string& item : items) {
    text += (text.empty() ? "" : ", ") + item;
  }
  return text;
}

// "sn:X: no adapter has this serial number; adapters found: /dev/ttyUSB0 (A10K3Z7Q)".
std::string SerialNumberRefusal(const std::string& name, const std::vector<SerialPortInfo>& matches,
                                const std::vector<SerialPortInfo>& present) {
  std::vector<std::string> found;
  for (const SerialPortInfo& port : matches.empty() ? present : matches) {
    if (!port.serialNumber.empty()) {
      found.push_back(OpenNameOf(port) + " (" + port.serialNumber + ")");
    }
  }
  if (!matches.empty()) {
    return name + ": " + std::to_string(matches.size()) +
           " ports have this serial number: " + Listed(found) + "; name the port itself";
  }
  return name + ": no adapter has this serial number; " +
         (found.empty() ? std::string("no adapter with a serial number is present")
                        : "adapters found: " + Listed(found));
}

std::optional<SerialPortInfo> ListedPort(const std::string& name,
                                         const std::vector<SerialPortInfo>& present) {
  const auto listed = std::ranges::find_if(present, [&name](const SerialPortInfo& port) {
    return SamePort(name, OpenNameOf(port)) || SameText(name, port.deviceName);
  });
  return listed == present.end() ? std::nullopt : std::optional(*listed);
}

// A printer named by its port, or by its adapter's serial number; the refusal when such a number
// does not come to exactly one port.
PrinterPortChoice NamedPrinter(const std::string& name,
                               const std::vector<SerialPortInfo>& present) {
  if (!name.starts_with(kSerialNumberPrefix)) {
    return {{{name, name, ListedPort(name, present)}}, {}};
  }
  const std::string serialNumber = name.substr(std::string_view(kSerialNumberPrefix).size());
  if (serialNumber.empty()) {
    return {{}, name + ": names no serial number"};
  }
  std::vector<SerialPortInfo> matches;
  std::ranges::copy_if(present, std::back_inserter(matches), [&](const SerialPortInfo& port) {
    return SameText(port.serialNumber, serialNumber);
  });
  if (matches.size() != 1) {
    return {{}, SerialNumberRefusal(name, matches, present)};
  }
  return {{{name, OpenNameOf(matches.front()), matches.front()}}, {}};
}

PrinterPortChoice EveryPrinterPort(const std::vector<SerialPortInfo>& present) {
  PrinterPortChoice choice;
  for (const SerialPortInfo& port : present) {
    if (QualifyingPortName(port)) {
      choice.printers.push_back({OpenNameOf(port), OpenNameOf(port), port});
    }
  }
  if (choice.printers.empty()) {
    choice.refusal = "--all: no port is a printer's (`trel ports` lists what is present)";
  }
  return choice;
}

// Two jobs on one port would take each other's answers: each printer needs a port of its own.
std::string SharedPortRefusal(const std::vector<PrinterPort>& printers) {
  for (auto first = printers.begin(); first != printers.end(); ++first) {
    for (auto second = std::next(first); second != printers.end(); ++second) {
      if (SamePort(first->openName, second->openName)) {
        return first->label + " and " + second->label + " are the same port " + second->openName +
               ": name each printer once";
      }
    }
  }
  return {};
}

}  // namespace

PrinterPortChoice ChoosePrinterPorts(const std::vector<std::string>& named, bool all,
                                     const std::vector<SerialPortInfo>& present) {
  PrinterPortChoice choice;
  if (all) {
    choice = EveryPrinterPort(present);
  }
  for (const std::string& name : named) {
    PrinterPortChoice one = NamedPrinter(name, present);
    if (!one.refusal.empty()) {
      return one;
    }
    choice.printers.push_back(std::move(one.printers.front()));
  }
  if (choice.refusal.empty()) {
    choice.refusal = SharedPortRefusal(choice.printers);
  }
  return choice;
}

}  // namespace trel
