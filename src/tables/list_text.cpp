#include "tables/list_text.h"

namespace trel {

std::vector<std::u16string> SplitListText(std::u16string_view text, std::u16string_view separator) {
  std::vector<std::u16string> items;
  if (separator.empty()) {
    return items;
  }
  for (std::size_t at = text.find(separator); at != std::u16string_view::npos;
       at = text.find(separator)) {
    items.emplace_back(text.substr(0, at));
    text.remove_prefix(at + separator.size());
  }
  if (!text.empty()) {
    items.emplace_back(text);
  }
  return items;
}

std::u16string JoinListText(const std::vector<std::u16string>& items,
                            std::u16string_view separator) {
  if (items.size() == 1 && items.front() == u"0") {
    return items.front();
  }
  std::u16string joined;
  for (const std::u16string& item : items) {
    joined += item;
    joined += separator;
  }
  return joined;
}

}  // namespace trel
