#include "platform/output_file.h"

#include <string>

namespace trel {

namespace {

class OutputFileCategory : public std::error_category {
 public:
  const char* name() const noexcept override { return "output file"; }
  std::string message(int) const override {
    return "not a regular file (a folder, a pipe or a device)";
  }
};

}  // namespace

std::error_code NotARegularFile() {
  static const OutputFileCategory category;
  return {1, category};
}

}  // namespace trel
