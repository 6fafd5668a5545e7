#include "cli/progress_text.h"

namespace trel {

namespace {

constexpr int kBarWidth = 20;
constexpr int kFullBar = 100;
constexpr int kPlainLineEvery = 10;
constexpr long kSecondsPerMinute = 60;

// "1:05": minutes and seconds.
std::string MinutesAndSeconds(std::chrono::seconds elapsed) {
  const long seconds = static_cast<long>(elapsed.count()) % kSecondsPerMinute;
  return std::to_string(elapsed.count() / kSecondsPerMinute) + (seconds < 10 ? ":0" : ":") +
         std::to_string(seconds);
}

}  // namespace

std::string ProgressText(int position, int framesSent, std::chrono::seconds elapsed) {
  const int filled = position * kBarWidth / kFullBar;
  const std::string percent = std::to_string(position);
  std::string text = '[' + std::string(filled, '#') + std::string(kBarWidth - filled, '.') + "] " +
                     std::string(3 - percent.size(), ' ') + percent + '%';
  if (framesSent > 0) {
    text += "  " + std::to_string(framesSent) + (framesSent == 1 ? " frame" : " frames") + " sent";
  }
  return text + "  " + MinutesAndSeconds(elapsed);
}

bool PassesPlainProgressStep(int previous, int position) {
  return position / kPlainLineEvery != previous / kPlainLineEvery;
}

}  // namespace trel
