#pragma once

namespace trel {

// True when the standard error stream goes to a terminal (not a file or a pipe).
bool StandardErrorIsTerminal();

// Makes a console show the program's UTF-8 output as UTF-8 (Windows consoles start in an OEM code
// page); a terminal elsewhere takes UTF-8 as it is.
void UseUtf8ConsoleOutput();

}  // namespace trel
