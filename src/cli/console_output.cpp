#include "cli/console_output.h"

#include <algorithm>

#include "cli/progress_text.h"

namespace trel {

namespace {

constexpr int kFullBar = 100;

}  // namespace

void ConsoleOutput::line(const std::string& text) {
  const std::lock_guard lock(mutex_);
  clearProgress();
  stream_ << text << '\n';
  drawProgress();
  stream_.flush();
}

void ConsoleOutput::progress(int position) {
  const std::lock_guard lock(mutex_);
  if (!started_) {
    started_ = Clock::now();
  }
  position = std::clamp(position, 0, kFullBar);
  if (position == position_ && (progressShown_ || !terminal_)) {
    return;
  }
  const int previous = position_;
  position_ = position;
  if (terminal_) {
    clearProgress();
    progressShown_ = true;
    drawProgress();
  } else if (PassesPlainProgressStep(previous, position)) {
    stream_ << "progress " << position << "%\n";
  }
  stream_.flush();
}

void ConsoleOutput::frameSent() {
  const std::lock_guard lock(mutex_);
  ++framesSent_;
  if (progressShown_) {
    clearProgress();
    drawProgress();
    stream_.flush();
  }
}

void ConsoleOutput::finish(const std::string& outcome) {
  const std::lock_guard lock(mutex_);
  if (progressShown_) {
    clearProgress();
    stream_ << progressText() << "  " << outcome << '\n';
    progressShown_ = false;
  } else {
    stream_ << outcome << '\n';
  }
  stream_.flush();
}

std::string ConsoleOutput::progressText() const {
  return ProgressText(position_, framesSent_,
                      std::chrono::duration_cast<std::chrono::seconds>(
                          Clock::now() - started_.value_or(Clock::now())));
}

void ConsoleOutput::drawProgress() {
  if (progressShown_) {
    stream_ << progressText();
  }
}

void ConsoleOutput::clearProgress() {
  if (progressShown_) {
    stream_ << "\r\033[K";
  }
}

}  // namespace trel
