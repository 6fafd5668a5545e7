// What the serial session costs: CPU while it scans for ports, CPU while it holds a port open with
// nothing to read, and the round trip of one frame to the stand-in printer.
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <thread>
#include <vector>

#include "link/serial_session.h"
#include "support/printer_sim_process.h"

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::microseconds;

constexpr std::chrono::seconds kIdleWindow{5};
constexpr int kRoundTrips = 200;

microseconds ProcessCpuTime() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return std::chrono::seconds(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         microseconds(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec);
}

// Share of one core the process used while it did nothing but let the session run.
double IdleCpuPercent() {
  const microseconds before = ProcessCpuTime();
  std::this_thread::sleep_for(kIdleWindow);
  const microseconds used = ProcessCpuTime() - before;
  return 100.0 * static_cast<double>(used.count()) /
         static_cast<double>(microseconds(kIdleWindow).count());
}

// A data frame (command 92) with the given sequence byte and a three-byte payload.
std::vector<std::uint8_t> DataFrame(std::uint8_t sequence) {
  const std::uint8_t command = 92;
  const std::vector<std::uint8_t> payload = {1, 2, 3};
  unsigned sum = sequence + command;
  std::vector<std::uint8_t> frame = {0xFE, static_cast<std::uint8_t>(payload.size() + 1), sequence,
                                     command, 0};
  for (std::uint8_t byte : payload) {
    sum += byte;
    frame.push_back(byte);
  }
  frame.push_back(static_cast<std::uint8_t>(sum % 254));
  frame.push_back(0xFF);
  frame.push_back(0xFF);
  return frame;
}

// Counts the bursts handed over so the bench can wait for each answer.
class AnswerCounter {
 public:
  trel::SerialDataCallback Callback() {
    return [this](std::uint32_t, std::uint32_t, const std::uint8_t*) {
      {
        std::lock_guard lock(mutex_);
        ++answers_;
      }
      answered_.notify_one();
      return 1;
    };
  }
  bool WaitFor(int count) {
    std::unique_lock lock(mutex_);
    return answered_.wait_for(lock, std::chrono::seconds(5), [&] { return answers_ >= count; });
  }

 private:
  std::mutex mutex_;
  std::condition_variable answered_;
  int answers_ = 0;
};

void PrintRoundTrips(std::vector<microseconds> trips) {
  std::sort(trips.begin(), trips.end());
  const auto at = [&](double share) {
    return trips[static_cast<std::size_t>(share * static_cast<double>(trips.size() - 1))].count();
  };
  std::printf(
      "round trip of one frame over %zu frames: median %lld us, 90th %lld us, max %lld us\n",
      trips.size(), static_cast<long long>(at(0.5)), static_cast<long long>(at(0.9)),
      static_cast<long long>(trips.back().count()));
}

}  // namespace

int main() {
  {
    trel::SerialSession session;
    if (session.SerialStart(nullptr) != 1) {
      std::fprintf(stderr, "bench_link: the session did not start\n");
      return 1;
    }
    std::printf("CPU while scanning for ports: %.3f %% of a core\n", IdleCpuPercent());
  }

  trel::testing::PrinterSimProcess sim;
  if (!sim.started()) {
    std::fprintf(stderr, "bench_link: trel-printer-sim did not start\n");
    return 1;
  }
  AnswerCounter answers;
  trel::SerialSession session;
  session.SerialSetDataCallback(answers.Callback());
  session.SerialStart(nullptr);
  if (session.SerialOpen(sim.portPath()) != 1) {
    std::fprintf(stderr, "bench_link: %s\n", session.lastOpenError().c_str());
    return 1;
  }
  std::printf("CPU with a port open and idle: %.3f %% of a core\n", IdleCpuPercent());

  std::vector<microseconds> trips;
  for (int i = 1; i <= kRoundTrips; ++i) {
    const std::vector<std::uint8_t> frame = DataFrame(static_cast<std::uint8_t>(i % 250));
    const auto sent = Clock::now();
    if (session.SerialWrite(frame.data(), frame.size()) != 1 || !answers.WaitFor(i)) {
      std::fprintf(stderr, "bench_link: frame %d was not answered\n", i);
      return 1;
    }
    trips.push_back(std::chrono::duration_cast<microseconds>(Clock::now() - sent));
  }
  PrintRoundTrips(std::move(trips));
  session.SerialClose();
  return 0;
}
