#pragma once

#include <optional>
#include <string>

namespace printer_sim {

// The printer's end of a pseudo-terminal, raw and non-blocking. It keeps a descriptor of the port
// side open itself, so the line survives the tool closing and reopening the port between jobs.
class PseudoTerminal {
 public:
  // Opens a new pseudo-terminal; nullopt with the cause in `error` when that fails.
  static std::optional<PseudoTerminal> Open(std::string& error);

  PseudoTerminal(PseudoTerminal&& other) noexcept;
  PseudoTerminal& operator=(PseudoTerminal&&) = delete;
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;
  ~PseudoTerminal();

  int master() const { return master_; }
  // The path the tool opens, "/dev/pts/3".
  const std::string& portPath() const { return portPath_; }
  // Hangs the line up: the port side sees the far end gone.
  void hangUp();

 private:
  PseudoTerminal(int master, int portSide, std::string portPath)
      : master_(master), portSide_(portSide), portPath_(std::move(portPath)) {}

  int master_;
  int portSide_;
  std::string portPath_;
};

}  // namespace printer_sim
