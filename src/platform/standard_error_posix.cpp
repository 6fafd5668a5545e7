#include <unistd.h>

#include "platform/standard_error.h"

namespace trel {

bool StandardErrorIsTerminal() {
  return ::isatty(STDERR_FILENO) == 1;
}

}  // namespace trel
