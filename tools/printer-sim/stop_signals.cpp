#include "stop_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <csignal>

namespace printer_sim {
namespace {

int stopPipeWriteEnd = -1;

extern "C" void OnStopSignal(int) {
  const char byte = 1;
  [[maybe_unused]] const auto written = ::write(stopPipeWriteEnd, &byte, 1);
}

}  // namespace

int WatchStopSignals() {
  int ends[2];
  if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) {
    return -1;
  }
  stopPipeWriteEnd = ends[1];
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  ::sigaction(SIGINT, &action, nullptr);
  ::sigaction(SIGTERM, &action, nullptr);
  // A reader of our output that goes away must not kill the printer mid-job.
  std::signal(SIGPIPE, SIG_IGN);
  return ends[0];
}

}  // namespace printer_sim
