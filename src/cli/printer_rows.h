#pragma once

#include <chrono>
#include <cstddef>
#include <memory>
#include <mutex>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/job_output.h"

namespace trel {

// How a send to several printers talks to the operator on stderr. On a terminal each printer has
// one line of its own at the bottom, redrawn in place (its name, bar, percent, frames sent, time,
// and at its end the outcome), with every other line printed above them, prefixed by the printer's
// name. Elsewhere every line is a plain one prefixed by the printer's name: "com5: progress 10%".
class PrinterRows {
 public:
  PrinterRows(std::ostream& stream, bool terminal, const std::vector<std::string>& names);
  ~PrinterRows();
  PrinterRows(const PrinterRows&) = delete;
  PrinterRows& operator=(const PrinterRows&) = delete;

  // The output of the printer with this index; the threads of several printers share the rows.
  JobOutput& row(std::size_t index);
  // A line of no printer's, below the rows once every job has ended.
  void line(const std::string& text);

 private:
  using Clock = std::chrono::steady_clock;
  class Row;
  struct RowState {
    std::string name;
    int position = 0;
    int framesSent = 0;
    std::optional<Clock::time_point> started;
    std::optional<std::chrono::seconds> finishedAfter;
    std::string outcome;
  };

  void printLine(const std::string& text);
  void update(std::size_t index, int position, int framesAdded);
  void finish(std::size_t index, const std::string& outcome);
  std::string rowText(const RowState& state) const;
  // Moves the terminal's cursor to the first row's line and clears from there on.
  void eraseRows();
  void drawRows();

  std::mutex mutex_;
  std::ostream& stream_;
  const bool terminal_;
  std::size_t nameWidth_ = 0;
  std::vector<RowState> states_;
  std::vector<std::unique_ptr<Row>> rows_;
  bool rowsDrawn_ = false;
};

}  // namespace trel
