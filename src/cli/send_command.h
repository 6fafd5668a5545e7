#pragma once

#include <ostream>

#include "cli/command_options.h"

namespace trel {

// Where `trel send` writes: events for scripts (--json) on `out`, everything for people on `err`,
// whose progress is drawn in place when `errIsTerminal`.
struct SendStreams {
  std::ostream& out;
  std::ostream& err;
  bool errIsTerminal = false;
};

// `trel send`: the job that the desktop tool's Start runs, over each printer's port at the same
// time, each printer with a serial session and a job of its own and all with the parameter list
// imported once into a private working copy. Every check that can refuse the send is made before
// anything is sent. Returns 0 when every printer succeeded, else the status of the first printer,
// in the order given, that failed; 130 when interrupted.
int RunSend(const SendOptions& options, const SendStreams& streams);

}  // namespace trel
