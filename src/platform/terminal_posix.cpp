#include <unistd.h>

#include "platform/terminal.h"

namespace trel {

bool StandardErrorIsTerminal() {
  return ::isatty(STDERR_FILENO) == 1;
}

}  // namespace trel
