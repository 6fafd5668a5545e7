#include "cli/operator_output.h"

namespace trel {

OperatorOutput::OperatorOutput(std::ostream& stream, bool terminal,
                               const std::vector<std::string>& printers, bool several)
    : single_(stream, terminal) {
  if (several) {
    rows_.emplace(stream, terminal, printers);
  }
}

void OperatorOutput::line(const std::string& text) {
  if (rows_) {
    rows_->line(text);
  } else {
    single_.line(text);
  }
}

}  // namespace trel
