#pragma once

#include <chrono>
#include <fstream>
#include <ostream>

#include "frame_answer.h"
#include "frame_parser.h"
#include "pseudo_terminal.h"
#include "sim_options.h"

namespace printer_sim {

// The stand-in printer's main loop: reads frames from the line, answers them and reports them,
// until a stop signal, the idle limit or a hang-up fault ends it.
class PrinterSim {
 public:
  PrinterSim(const SimOptions& options, PseudoTerminal& line, std::ostream& out, std::ostream* log);

  // Runs until the end; returns the process's exit code.
  int run(int stopFd);

 private:
  enum class Step { kGoOn, kStop, kFailed };

  Step readLine();
  // Answers and reports each frame; kStop after a hang-up fault.
  Step handle(const std::vector<ReceivedFrame>& frames);
  void report(const ReceivedFrame& frame, const FrameAnswer* answer);
  void send(const FrameAnswer& answer);
  bool writeToLine(const std::uint8_t* bytes, std::size_t count);
  int pollLimitMs() const;

  const SimOptions& options_;
  PseudoTerminal& line_;
  std::ostream& out_;
  std::ostream* log_;
  FrameParser parser_;
  FrameAnswerer answerer_;
  std::chrono::steady_clock::time_point lastInput_;
};

}  // namespace printer_sim
