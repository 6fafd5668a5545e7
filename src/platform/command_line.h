#pragma once

#include <string>
#include <vector>

namespace trel {

// The program's arguments as UTF-8 texts, the program's name first. POSIX hands them over as they
// came; Windows gives main() its arguments in the ANSI code page, which cannot hold every file
// name, so there they are read from the UTF-16 command line.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

}  // namespace trel
