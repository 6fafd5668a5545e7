#include "win32/file_dialog_filter.h"

namespace trel {

std::u16string FileDialogFilter(const std::vector<std::u16string>& filters) {
  std::u16string filter;
  for (const std::u16string& entry : filters) {
    const std::size_t open = entry.rfind(u'(');
    const std::size_t close = entry.rfind(u')');
    std::u16string pattern = open != std::u16string::npos && close > open
                                 ? entry.substr(open + 1, close - open - 1)
                                 : u"*.*";
    if (pattern == u"*") {
      pattern = u"*.*";
    }
    filter += entry;
    filter += u'\0';
    filter += pattern;
    filter += u'\0';
  }
  filter += u'\0';
  return filter;
}

}  // namespace trel
