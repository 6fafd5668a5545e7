#include "cli/console_output.h"

#include <algorithm>

namespace trel {

namespace {

constexpr int kBarWidth = 20;
constexpr int kFullBar = 100;
constexpr long kSecondsPerMinute = 60;

// "1:05": minutes and seconds.
std::string MinutesAndSeconds(std::chrono::seconds elapsed) {
  const long seconds = static_cast<long>(elapsed.count()) % kSecondsPerMinute;
  return std::to_string(elapsed.count() / kSecondsPerMinute) + (seconds < 10 ? ":0" : ":") +
         std::to_string(seconds);
}

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
  } else if (position / kPlainLineEvery != previous / kPlainLineEvery) {
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
  const int filled = position_ * kBarWidth / kFullBar;
  const std::string percent = std::to_string(position_);
  // Padded to the width of "100", so the figures after it stay in their columns.
  std::string text = '[' + std::string(filled, '#') + std::string(kBarWidth - filled, '.') + "] " +
                     std::string(3 - percent.size(), ' ') + percent + '%';
  // A recording writes no frame to a printer, so it shows none.
  if (framesSent_ > 0) {
    text +=
        "  " + std::to_string(framesSent_) + (framesSent_ == 1 ? " frame" : " frames") + " sent";
  }
  const auto elapsed = std::chrono::duration_cast<std::chrono::seconds>(
      Clock::now() - started_.value_or(Clock::now()));
  return text + "  " + MinutesAndSeconds(elapsed);
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
