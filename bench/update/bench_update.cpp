// A full update (160 items, a main and two extra keyword files) sent with `trel send` to the
// stand-in printer, several times. Prints the milliseconds per frame (goal: at most 1 ms) and the
// tool's CPU time over its wall time (goal: at most 0.3), medians over the runs, so that a busy
// machine does not decide the figures.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "support/printer_sim_process.h"
#include "support/temp_dir.h"
#include "trel_child_run.h"
#include "update/recording_reader.h"
#include "update_files.h"

namespace {

using trel::bench::ChildRun;
using trel::bench::RunTrel;
using trel::testing::PrinterSimProcess;
using trel::testing::TempDir;

constexpr int kRuns = 7;

// The frames a send writes: those a recording holds, and the clock frame, which is never recorded.
std::size_t FramesSent(const TempDir& dir) {
  std::vector<std::string> record{"record", "--out", (dir / "frames.bin").string()};
  for (const std::string& argument : trel::bench::FullUpdateArguments(dir.path())) {
    record.push_back(argument);
  }
  if (RunTrel(record).exitCode != 0) {
    return 0;
  }
  const std::string bytes = trel::testing::ReadBytes(dir / "frames.bin");
  const auto walk =
      trel::WalkRecording({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
  return walk.frames.size() + 1;
}

double MedianCpuShare(const std::vector<ChildRun>& runs) {
  std::vector<double> shares;
  for (const ChildRun& run : runs) {
    shares.push_back(run.cpuSeconds / run.wallSeconds);
  }
  std::ranges::sort(shares);
  return shares[shares.size() / 2];
}

}  // namespace

int main() {
  const TempDir dir;
  trel::bench::WriteFullUpdate(dir.path());
  const std::size_t frames = FramesSent(dir);
  if (frames == 0) {
    std::fprintf(stderr, "the update could not be recorded\n");
    return 1;
  }

  PrinterSimProcess sim;
  if (!sim.started()) {
    std::fprintf(stderr, "trel-printer-sim did not start\n");
    return 1;
  }
  std::vector<std::string> send{"send", "--port", sim.portPath()};
  for (const std::string& argument : trel::bench::FullUpdateArguments(dir.path())) {
    send.push_back(argument);
  }
  std::vector<ChildRun> runs;
  for (int run = 0; run < kRuns; ++run) {
    runs.push_back(RunTrel(send));
    if (runs.back().exitCode != 0) {
      std::fprintf(stderr, "trel send failed with status %d\n", runs.back().exitCode);
      return 1;
    }
  }
  std::ranges::sort(runs, {}, &ChildRun::wallSeconds);
  const ChildRun& median = runs[runs.size() / 2];
  const ChildRun& slowest = runs.back();
  std::printf("frames sent per update: %zu, %d updates\n", frames, kRuns);
  std::printf("ms per frame:           median %.3f, slowest %.3f (goal: at most 1)\n",
              median.wallSeconds * 1000 / static_cast<double>(frames),
              slowest.wallSeconds * 1000 / static_cast<double>(frames));
  std::printf("CPU time / wall time:   median %.3f (goal: at most 0.3)\n", MedianCpuShare(runs));
  return 0;
}
