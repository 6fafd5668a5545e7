#include "cli/console_output.h"

#include <algorithm>

namespace trel {

namespace {

constexpr int kBarWidth = 40;
constexpr int kFullBar = 100;

}  // namespace

void ConsoleOutput::line(const std::string& text) {
  const std::lock_guard lock(mutex_);
  clearBar();
  stream_ << text << '\n';
  drawBar();
  stream_.flush();
}

void ConsoleOutput::progress(int position) {
  const std::lock_guard lock(mutex_);
  position = std::clamp(position, 0, kFullBar);
  if (position == position_ && (barShown_ || !terminal_)) {
    return;
  }
  const int previous = position_;
  position_ = position;
  if (terminal_) {
    clearBar();
    barShown_ = true;
    drawBar();
  } else if (position / kPlainLineEvery != previous / kPlainLineEvery) {
    stream_ << "progress " << position << "%\n";
  }
  stream_.flush();
}

void ConsoleOutput::finish() {
  const std::lock_guard lock(mutex_);
  if (barShown_) {
    stream_ << '\n';
    barShown_ = false;
    stream_.flush();
  }
}

void ConsoleOutput::drawBar() {
  if (!barShown_) {
    return;
  }
  const int filled = position_ * kBarWidth / kFullBar;
  stream_ << '[' << std::string(filled, '#') << std::string(kBarWidth - filled, '.') << "] "
          << position_ << '%';
}

void ConsoleOutput::clearBar() {
  if (barShown_) {
    stream_ << "\r\033[K";
  }
}

}  // namespace trel
