#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace trel {

struct UpdateJob;

// The further keyword files: their folder (that of the main keyword file when the list was built)
// and up to nine names; an empty name keeps its slot and is skipped when sending.
struct MoreXmlList {
  std::u16string folder;
  std::vector<std::u16string> names;
};

// Splits the more-XML text at ";" as the Edit List does; names past the ninth are ignored.
MoreXmlList BuildMoreXmlList(std::u16string_view moreXmlText, std::u16string_view mainXmlPath);

// Makes the list the job's extra keyword files.
void AssignExtraKeywordFiles(UpdateJob& job, const MoreXmlList& list);

}  // namespace trel
