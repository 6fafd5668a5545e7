#include "cli/private_working_copy.h"

#include <cerrno>
#include <cstdlib>
#include <string>
#include <system_error>

#include "platform/memory_param_table.h"
#include "tables/param_table_io.h"
#include "tables/working_copy.h"

namespace trel {

namespace {

std::filesystem::path MakeTemporaryFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "trel-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) {
    throw std::filesystem::filesystem_error("cannot create a temporary folder", pattern,
                                            std::error_code(errno, std::generic_category()));
  }
  return pattern;
}

}  // namespace

PrivateWorkingCopy::PrivateWorkingCopy()
    : folder_(MakeTemporaryFolder()), file_(folder_ / "TrelDefault.ini") {}

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
