#include <windows.h>
// shellapi.h needs the declarations of windows.h first.
#include <shellapi.h>

#include "platform/command_line.h"
#include "platform/wide_text_win32.h"

namespace trel {

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
  int count = 0;
  wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (wide == nullptr) {
    return std::vector<std::string>(argv, argv + argc);
  }
  std::vector<std::string> arguments;
  for (int i = 0; i < count; ++i) {
    arguments.push_back(Utf8FromWide(wide[i]));
  }
  ::LocalFree(wide);
  return arguments;
}

}  // namespace trel
