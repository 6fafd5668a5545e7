#include <unistd.h>

#include "platform/terminal.h"

namespace trel {

bool StandardErrorIsTerminal() {
  return ::isatty(STDERR_FILENO) == 1;
}

// The terminal decodes what it is given with the user's locale; nothing to switch.
void UseUtf8ConsoleOutput() {}

}  // namespace trel
