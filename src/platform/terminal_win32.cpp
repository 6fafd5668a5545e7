#include <windows.h>

#include "platform/terminal.h"

namespace trel {

// Only a console has a console mode; a file or a pipe has none.
bool StandardErrorIsTerminal() {
  DWORD mode = 0;
  return ::GetConsoleMode(::GetStdHandle(STD_ERROR_HANDLE), &mode) != FALSE;
}

void UseUtf8ConsoleOutput() {
  ::SetConsoleOutputCP(CP_UTF8);
}

}  // namespace trel
