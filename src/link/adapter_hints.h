#pragma once

#include <string>
#include <vector>

#include "platform/serial_port_enumeration.h"

namespace trel {

// The configuration manager's problem codes that the hints name in words.
inline constexpr unsigned kProblemFailedStart = 10;    // CM_PROB_FAILED_START
inline constexpr unsigned kProblemFailedInstall = 28;  // CM_PROB_FAILED_INSTALL

// One thing that keeps a printer's port away, as the device data tell it.
struct AdapterHint {
  std::string cause;   // what was found: "no USB serial adapter is present"
  std::string remedy;  // what to do: "plug in the printer's USB cable (...)"
  std::string text() const { return cause + ": " + remedy; }
};

// What keeps a printer's adapter from giving a port that works, each once, in the order found: a
// printer's adapter (by the scan's rules) whose device has a problem code, its driver failed to
// start (10) for instance; a USB device with a printer adapter's hardware key that gives no port,
// no driver being installed (28) for instance; no USB serial adapter at all. `ports` as the
// enumeration lists them, `devices` the USB devices with a problem outside the ports.
std::vector<AdapterHint> AdapterHints(const std::vector<SerialPortInfo>& ports,
                                      const std::vector<UsbDeviceProblem>& devices);

// The status line's note under "No found device." when the window starts: the cause the first
// hint names, as a sentence, when no port is a printer's; empty otherwise.
std::string MissingPortNote(const std::vector<SerialPortInfo>& ports,
                            const std::vector<UsbDeviceProblem>& devices);

// MissingPortNote of the ports and devices present now.
std::string LocalMissingPortNote();

}  // namespace trel
