#include "cli/private_working_copy.h"

#include <system_error>

#include "platform/memory_param_table.h"
#include "platform/temporary_folder.h"
#include "tables/param_table_io.h"
#include "tables/working_copy.h"

namespace trel {

PrivateWorkingCopy::PrivateWorkingCopy()
    : folder_(CreateTemporaryFolder("trel-")), file_(folder_ / "TrelDefault.ini") {}

PrivateWorkingCopy::~PrivateWorkingCopy() {
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

void PrivateWorkingCopy::importFrom(const std::filesystem::path& parameterList) const {
  MemoryParamTable table;
  if (ConvertToWorkingCopy(parameterList, file_)) {
    LoadParamTable(table, file_);
  } else {
    LoadParamTable(table, parameterList);
    CopyFileBytes(parameterList, file_);
  }
  StoreParamTable(table, file_);
}

}  // namespace trel
