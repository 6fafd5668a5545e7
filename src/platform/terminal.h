#pragma once

namespace trel {

// True when the standard error stream goes to a terminal (not a file or a pipe).
bool StandardErrorIsTerminal();

}  // namespace trel
