#include "app/more_xml_list.h"

#include "platform/tool_folder.h"
#include "update/update_job.h"
#include "widgets/list_text.h"

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

}  // namespace trel
