#pragma once

namespace printer_sim {

// Turns SIGINT and SIGTERM into a readable descriptor, so the main loop's poll() sees them.
// SIGPIPE is ignored. Returns the descriptor, or -1 when the pipe could not be made.
int WatchStopSignals();

}  // namespace printer_sim
