#include <fstream>
#include <iostream>
#include <memory>
#include <string>

#include "port_link.h"
#include "printer_sim.h"
#include "pseudo_terminal.h"
#include "sim_command_line.h"
#include "stop_signals.h"

int main(int argc, char** argv) {
  int exitCode = 0;
  const auto options = printer_sim::ParseSimCommandLine(argc, argv, exitCode);
  if (!options) {
    return exitCode;
  }
  const int stopFd = printer_sim::WatchStopSignals();
  std::string error;
  auto line = printer_sim::PseudoTerminal::Open(error);
  if (stopFd < 0 || !line) {
    std::cerr << "trel-printer-sim: cannot open a pseudo-terminal: " << error << "\n";
    return 1;
  }
  printer_sim::PortLink link;
  if (!options->linkPath.empty() && !link.create(options->linkPath, line->portPath(), error)) {
    std::cerr << "trel-printer-sim: " << error << "\n";
    return 1;
  }
  std::unique_ptr<std::ofstream> log;
  if (!options->logPath.empty()) {
    log = std::make_unique<std::ofstream>(options->logPath, std::ios::app);
    if (!*log) {
      std::cerr << "trel-printer-sim: cannot write the log " << options->logPath << "\n";
      return 1;
    }
  }
  std::cout << line->portPath() << std::endl;
  printer_sim::PrinterSim sim(*options, *line, std::cout, log.get());
  return sim.run(stopFd);
}
