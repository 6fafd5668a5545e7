#include <windows.h>

#include "platform/terminal.h"

namespace trel {

// A console counts as a terminal once it takes the escape sequences that redraw a line in place
// (Windows 10 and later, after asking for them); an older console, a file or a pipe does not, and
// gets the progress as lines.
bool StandardErrorIsTerminal() {
  const HANDLE error = ::GetStdHandle(STD_ERROR_HANDLE);
  DWORD mode = 0;
  return ::GetConsoleMode(error, &mode) != FALSE &&
         ::SetConsoleMode(error, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING) != FALSE;
}

void UseUtf8ConsoleOutput() {
  ::SetConsoleOutputCP(CP_UTF8);
}

}  // namespace trel
