#include "cli/printer_rows.h"

#include <algorithm>

#include "cli/progress_text.h"
#include "update/outcome.h"

namespace trel {

class PrinterRows::Row : public JobOutput {
 public:
  Row(PrinterRows& rows, std::size_t index) : rows_(rows), index_(index) {}

  void line(const std::string& text) override {
    rows_.printLine(rows_.states_[index_].name + ": " + text);
  }
  void progress(int position) override { rows_.update(index_, position, 0); }
  void frameSent() override { rows_.update(index_, -1, 1); }
  void finish(const std::string& outcome) override { rows_.finish(index_, outcome); }

 private:
  PrinterRows& rows_;
  const std::size_t index_;
};

PrinterRows::PrinterRows(std::ostream& stream, bool terminal, const std::vector<std::string>& names)
    : stream_(stream), terminal_(terminal) {
  for (const std::string& name : names) {
    nameWidth_ = std::max(nameWidth_, name.size());
    RowState state;
    state.name = name;
    states_.push_back(std::move(state));
    rows_.push_back(std::make_unique<Row>(*this, rows_.size()));
  }
}

PrinterRows::~PrinterRows() = default;

JobOutput& PrinterRows::row(std::size_t index) {
  return *rows_.at(index);
}

void PrinterRows::line(const std::string& text) {
  const std::lock_guard lock(mutex_);
  stream_ << text << '\n';
  stream_.flush();
}

void PrinterRows::printLine(const std::string& text) {
  const std::lock_guard lock(mutex_);
  eraseRows();
  stream_ << text << '\n';
  drawRows();
  stream_.flush();
}

// `position` -1 keeps the position.
void PrinterRows::update(std::size_t index, int position, int framesAdded) {
  const std::lock_guard lock(mutex_);
  RowState& state = states_[index];
  if (!state.started) {
    state.started = Clock::now();
  }
  const int previous = state.position;
  state.position = position < 0 ? previous : std::clamp(position, 0, kProgressFull);
  state.framesSent += framesAdded;
  if (terminal_) {
    eraseRows();
    drawRows();
  } else if (PassesPlainProgressStep(previous, state.position)) {
    stream_ << state.name << ": progress " << state.position << "%\n";
  }
  stream_.flush();
}

void PrinterRows::finish(std::size_t index, const std::string& outcome) {
  const std::lock_guard lock(mutex_);
  RowState& state = states_[index];
  state.outcome = outcome;
  state.finishedAfter = std::chrono::duration_cast<std::chrono::seconds>(
      Clock::now() - state.started.value_or(Clock::now()));
  if (terminal_) {
    eraseRows();
    drawRows();
  } else {
    stream_ << state.name << ": " << outcome << '\n';
  }
  stream_.flush();
}

std::string PrinterRows::rowText(const RowState& state) const {
  const auto elapsed =
      state.finishedAfter.value_or(std::chrono::duration_cast<std::chrono::seconds>(
          Clock::now() - state.started.value_or(Clock::now())));
  std::string text = state.name + std::string(nameWidth_ - state.name.size() + 2, ' ') +
                     ProgressText(state.position, state.framesSent, elapsed);
  return state.outcome.empty() ? text : text + "  " + state.outcome;
}

void PrinterRows::eraseRows() {
  if (rowsDrawn_) {
    stream_ << "\r\033[" << states_.size() << "A\033[J";
    rowsDrawn_ = false;
  }
}

void PrinterRows::drawRows() {
  if (!terminal_) {
    return;
  }
  for (const RowState& state : states_) {
    stream_ << rowText(state) << '\n';
  }
  rowsDrawn_ = true;
}

}  // namespace trel
