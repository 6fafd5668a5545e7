#pragma once

#include <filesystem>
#include <string>

namespace printer_sim {

// A symlink to the simulator's port at a fixed path, so scripts need not parse the first line.
// It replaces an older symlink there but never another kind of file, and is removed at the end
// while it still points to our port.
class PortLink {
 public:
  PortLink() = default;
  PortLink(const PortLink&) = delete;
  PortLink& operator=(const PortLink&) = delete;
  ~PortLink();

  // Returns false with the cause in `error` when the link cannot be made.
  bool create(const std::filesystem::path& link, const std::string& portPath, std::string& error);

 private:
  std::filesystem::path link_;
  std::string portPath_;
};

}  // namespace printer_sim
