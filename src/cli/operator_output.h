#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "cli/console_output.h"
#include "cli/job_output.h"
#include "cli/printer_rows.h"

namespace trel {

// What a send shows people on standard error: one printer's job as a single send always showed
// it, several printers' as rows (PrinterRows).
class OperatorOutput {
 public:
  OperatorOutput(std::ostream& stream, bool terminal, const std::vector<std::string>& printers,
                 bool several);

  // The output of the printer with this index.
  JobOutput& of(std::size_t index) { return rows_ ? rows_->row(index) : single_; }
  // A line of no printer's; once the jobs have ended, below them.
  void line(const std::string& text);
  bool several() const { return rows_.has_value(); }

 private:
  ConsoleOutput single_;
  std::optional<PrinterRows> rows_;
};

}  // namespace trel
