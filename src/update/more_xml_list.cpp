#include "update/more_xml_list.h"

#include "platform/tool_folder.h"
#include "tables/list_text.h"
#include "update/update_job.h"

namespace trel {

MoreXmlList BuildMoreXmlList(std::u16string_view moreXmlText, std::u16string_view mainXmlPath) {
  MoreXmlList list;
  if (moreXmlText.empty()) {
    return list;
  }
  list.folder = FolderPart(mainXmlPath);
  list.names = SplitListText(moreXmlText, u";");
  if (list.names.size() > kMaxExtraKeywordFiles) {
    list.names.resize(kMaxExtraKeywordFiles);
  }
  return list;
}

void AssignExtraKeywordFiles(UpdateJob& job, const MoreXmlList& list) {
  job.extraKeywordFolder = std::filesystem::path(list.folder);
  job.extraKeywordNames.assign(list.names.begin(), list.names.end());
}

}  // namespace trel
