#include "link/port_discovery.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <exception>

namespace trel {
namespace {

// USB vendor and product of the adapters the printers ship with.
constexpr std::array<std::string_view, 4> kHardwareKeys = {
    "vid_067b&pid_2303",  // Prolific
    "vid_10c4&pid_ea60",  // Silicon Labs
    "vid_05c6&pid_9000",  // Qualcomm
    "vid_0e8d&pid_0003",  // MediaTek
};

// Parts of the display names those adapters' drivers give their ports.
constexpr std::array<std::string_view, 5> kNameFragments = {
    "serial comm port", "uart bridge",       "simtech hs-usb at port",
    "mtk usb port",     "mediatek usb port",
};

// The name property is read into a 260-byte buffer with its terminator; a longer name is
// unreadable.
constexpr std::size_t kLongestDisplayName = 259;

// "vid_067b&pid_2303": the vendor's four digits after "vid_", the product's after "&pid_".
constexpr std::string_view kVendorMark = "vid_";
constexpr std::string_view kProductMark = "&pid_";
constexpr std::size_t kIdLength = 4;
constexpr std::size_t kVendorAt = kVendorMark.size();
constexpr std::size_t kProductAt = kVendorAt + kIdLength + kProductMark.size();

constexpr std::string_view kNameOpeners = "(";
constexpr std::string_view kNameClosers = ")\t\r\n";

std::string ToLower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

bool HasKnownNameFragment(std::string_view lowerName) {
  return std::any_of(kNameFragments.begin(), kNameFragments.end(), [&](std::string_view fragment) {
    return lowerName.find(fragment) != std::string_view::npos;
  });
}

}  // namespace

std::optional<UsbId> UsbIdOfHardwareKey(const std::string& hardwareKey) {
  // A board port's key on Windows is as long, "#pnp0501#1#{4d36e", but names no USB device.
  const std::string lower = ToLower(hardwareKey);
  if (lower.size() < kProductAt + kIdLength || !lower.starts_with(kVendorMark) ||
      std::string_view(lower).substr(kVendorAt + kIdLength, kProductMark.size()) != kProductMark) {
    return std::nullopt;
  }
  return UsbId{lower.substr(kVendorAt, kIdLength), lower.substr(kProductAt, kIdLength)};
}

bool IsKnownHardwareKey(std::string_view key) {
  const std::string lower = ToLower(key);
  return std::find(kHardwareKeys.begin(), kHardwareKeys.end(), lower) != kHardwareKeys.end();
}

bool IsPrinterAdapter(const SerialPortInfo& port) {
  return IsKnownHardwareKey(port.hardwareKey) && !port.displayName.empty() &&
         port.displayName.size() <= kLongestDisplayName &&
         HasKnownNameFragment(ToLower(port.displayName));
}

std::optional<std::string> PortNameFromDisplayName(std::string_view displayName) {
  // The first token runs up to the first "(" after any leading ones; without that "(" there is no
  // second token.
  const std::size_t firstStart = displayName.find_first_not_of(kNameOpeners);
  if (firstStart == std::string_view::npos) {
    return std::nullopt;
  }
  const std::size_t firstEnd = displayName.find_first_of(kNameOpeners, firstStart);
  if (firstEnd == std::string_view::npos) {
    return std::nullopt;
  }
  const std::size_t nameStart = displayName.find_first_not_of(kNameClosers, firstEnd + 1);
  if (nameStart == std::string_view::npos) {
    return std::nullopt;
  }
  const std::size_t nameEnd = displayName.find_first_of(kNameClosers, nameStart);
  return std::string(displayName.substr(nameStart, nameEnd - nameStart));
}

std::optional<std::string> QualifyingPortName(const SerialPortInfo& port) {
  if (!IsPrinterAdapter(port) || port.problemCode != 0) {
    return std::nullopt;
  }
  return PortNameFromDisplayName(ToLower(port.displayName));
}

std::pair<std::uintptr_t, std::intptr_t> PackPortName(std::string_view name) {
  std::array<std::uint32_t, 8> bytes{};
  for (std::size_t i = 0; i < bytes.size() && i < name.size(); ++i) {
    bytes[i] = static_cast<unsigned char>(name[i]);
  }
  const auto word = [&](std::size_t first) {
    return bytes[first] << 24 | bytes[first + 1] << 16 | bytes[first + 2] << 8 | bytes[first + 3];
  };
  return {word(0), static_cast<std::intptr_t>(word(4))};
}

std::string UnpackPortName(std::uintptr_t wParam, std::intptr_t lParam) {
  const std::array<std::uint32_t, 2> words = {static_cast<std::uint32_t>(wParam),
                                              static_cast<std::uint32_t>(lParam)};
  std::string name;
  for (std::uint32_t word : words) {
    for (int shift = 24; shift >= 0; shift -= 8) {
      const char c = static_cast<char>((word >> shift) & 0xFF);
      if (c == '\0') {
        return name;
      }
      name.push_back(c);
    }
  }
  return name;
}

void PortDiscovery::Scan(WindowMessages* window) {
  std::vector<SerialPortInfo> ports;
  try {
    ports = enumerate_();
  } catch (const std::exception&) {
    // Ports that cannot be listed now are looked for again at the next scan; the link thread
    // goes on.
    return;
  }
  const std::size_t examined = std::min(ports.size(), kPortsExaminedPerScan);
  for (std::size_t i = 0; i < examined; ++i) {
    std::optional<std::string> name = QualifyingPortName(ports[i]);
    if (!name || name->empty()) {
      continue;
    }
    lastFoundPort_ = *name;
    if (AlreadyReported(*name)) {
      continue;
    }
    foundPorts_.push_back(*name);
    if (window != nullptr) {
      const auto [wParam, lParam] = PackPortName(*name);
      window->post(WM_PORT_FOUND, wParam, lParam);
    }
  }
}

// A port counts as reported when an earlier name contains it, so "com1" after "com10" is not new.
bool PortDiscovery::AlreadyReported(const std::string& name) const {
  return std::any_of(foundPorts_.begin(), foundPorts_.end(), [&](const std::string& found) {
    return found.find(name) != std::string::npos;
  });
}

}  // namespace trel
