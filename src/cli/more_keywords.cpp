#include "cli/more_keywords.h"

#include "update/update_job.h"

namespace trel {

std::vector<std::string> SplitMoreKeywords(std::string_view list) {
  std::vector<std::string> names;
  while (names.size() < kMaxExtraKeywordFiles) {
    const std::size_t separator = list.find(';');
    if (separator == std::string_view::npos) {
      if (!list.empty()) {
        names.emplace_back(list);
      }
      break;
    }
    names.emplace_back(list.substr(0, separator));
    list.remove_prefix(separator + 1);
  }
  return names;
}

}  // namespace trel
