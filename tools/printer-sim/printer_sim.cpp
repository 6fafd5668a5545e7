#include "printer_sim.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <iostream>
#include <thread>

#include "frame_report.h"

namespace printer_sim {
namespace {

// A frame that stays incomplete this long after the last byte will not be completed.
constexpr std::chrono::milliseconds kStalledFrame{300};
// How long an answer may wait for room on the line before it is given up.
constexpr std::chrono::milliseconds kWriteLimit{1000};

int MillisecondsUntil(std::chrono::steady_clock::time_point when) {
  const auto left =
      std::chrono::ceil<std::chrono::milliseconds>(when - std::chrono::steady_clock::now());
  return static_cast<int>(std::clamp<std::chrono::milliseconds::rep>(left.count(), 0, 1 << 30));
}

}  // namespace

PrinterSim::PrinterSim(const SimOptions& options, PseudoTerminal& line, std::ostream& out,
                       std::ostream* log)
    : options_(options),
      line_(line),
      out_(out),
      log_(log),
      answerer_(options.answers),
      lastInput_(std::chrono::steady_clock::now()) {}

int PrinterSim::pollLimitMs() const {
  int limit = -1;
  if (parser_.hasPartial()) {
    limit = MillisecondsUntil(lastInput_ + kStalledFrame);
  }
  if (options_.idleExit.count() > 0) {
    const int idleLeft = MillisecondsUntil(lastInput_ + options_.idleExit);
    limit = limit < 0 ? idleLeft : std::min(limit, idleLeft);
  }
  return limit;
}

int PrinterSim::run(int stopFd) {
  for (;;) {
    std::array<pollfd, 2> fds{{{line_.master(), POLLIN, 0}, {stopFd, POLLIN, 0}}};
    const int ready = ::poll(fds.data(), fds.size(), pollLimitMs());
    if (ready < 0 && errno != EINTR) {
      return 1;
    }
    if (fds[1].revents != 0) {
      return 0;
    }
    Step step = Step::kGoOn;
    if (fds[0].revents != 0) {
      step = readLine();
    } else if (ready == 0 && parser_.hasPartial()) {
      step = handle(parser_.resync());
    } else if (ready == 0 && options_.idleExit.count() > 0 &&
               std::chrono::steady_clock::now() >= lastInput_ + options_.idleExit) {
      step = Step::kStop;
    }
    if (step != Step::kGoOn) {
      return step == Step::kStop ? 0 : 1;
    }
  }
}

PrinterSim::Step PrinterSim::readLine() {
  std::array<std::uint8_t, 4096> buffer;
  const ssize_t got = ::read(line_.master(), buffer.data(), buffer.size());
  if (got < 0 && (errno == EAGAIN || errno == EINTR)) {
    return Step::kGoOn;
  }
  if (got <= 0) {
    // We hold the port side open ourselves, so the line cannot just have been hung up.
    std::cerr << "trel-printer-sim: the line failed\n";
    return Step::kFailed;
  }
  lastInput_ = std::chrono::steady_clock::now();
  return handle(parser_.feed(buffer.data(), static_cast<std::size_t>(got)));
}

PrinterSim::Step PrinterSim::handle(const std::vector<ReceivedFrame>& frames) {
  for (const ReceivedFrame& frame : frames) {
    if (!frame.good) {
      report(frame, nullptr);
      continue;
    }
    const FrameAnswer answer = answerer_.answer(frame);
    report(frame, &answer);
    send(answer);
    if (answer.hangUpAfter) {
      line_.hangUp();
      return Step::kStop;
    }
  }
  return Step::kGoOn;
}

void PrinterSim::report(const ReceivedFrame& frame, const FrameAnswer* answer) {
  if (options_.verbose) {
    out_ << DescribeFrame(frame, answer) << std::endl;
  }
  if (log_ != nullptr) {
    *log_ << FrameJsonLine(frame, answer) << std::endl;
  }
}

void PrinterSim::send(const FrameAnswer& answer) {
  if (answer.dropped) {
    return;
  }
  if (options_.delay.count() > 0) {
    std::this_thread::sleep_for(options_.delay);
  }
  const std::size_t first = answer.splitAt > 0 ? answer.splitAt : answer.bytes.size();
  if (!writeToLine(answer.bytes.data(), first)) {
    return;
  }
  if (first < answer.bytes.size()) {
    std::this_thread::sleep_for(options_.splitPause);
    writeToLine(answer.bytes.data() + first, answer.bytes.size() - first);
  }
}

bool PrinterSim::writeToLine(const std::uint8_t* bytes, std::size_t count) {
  const auto deadline = std::chrono::steady_clock::now() + kWriteLimit;
  while (count > 0) {
    const ssize_t put = ::write(line_.master(), bytes, count);
    if (put > 0) {
      bytes += put;
      count -= static_cast<std::size_t>(put);
      continue;
    }
    if (put < 0 && errno != EAGAIN && errno != EINTR) {
      return false;
    }
    pollfd fd{line_.master(), POLLOUT, 0};
    if (::poll(&fd, 1, MillisecondsUntil(deadline)) == 0) {
      return false;  // nobody reads the port: give the answer up rather than hang
    }
  }
  return true;
}

}  // namespace printer_sim
