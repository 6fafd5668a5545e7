// The full update sent with one `trel send` to 1 and to 8 stand-in printers at once, each printer
// answering every frame after 10 ms, several times. Prints the wall time of each (medians), their
// ratio (goal: at most 1.25, since the printers are updated at the same time) and trel's CPU time
// of each (goal: no more than linear in the printers, at most 8 times one printer's).
#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "support/printer_sim_process.h"
#include "support/temp_dir.h"
#include "trel_child_run.h"
#include "update_files.h"

namespace {

using trel::bench::ChildRun;
using trel::testing::PrinterSimProcess;

constexpr int kRuns = 5;
constexpr std::size_t kPrinters = 8;

// The median run by wall time, and the median CPU time, of sends to the first `count` printers.
ChildRun MedianSend(const std::vector<std::unique_ptr<PrinterSimProcess>>& printers,
                    std::size_t count, const std::filesystem::path& folder) {
  std::vector<std::string> send{"send"};
  for (std::size_t index = 0; index < count; ++index) {
    send.insert(send.end(), {"--port", printers[index]->portPath()});
  }
  for (const std::string& argument : trel::bench::FullUpdateArguments(folder)) {
    send.push_back(argument);
  }
  std::vector<ChildRun> runs;
  for (int run = 0; run < kRuns; ++run) {
    runs.push_back(trel::bench::RunTrel(send));
    if (runs.back().exitCode != 0) {
      return runs.back();
    }
  }
  std::vector<double> cpu;
  for (const ChildRun& run : runs) {
    cpu.push_back(run.cpuSeconds);
  }
  std::ranges::sort(cpu);
  std::ranges::sort(runs, {}, &ChildRun::wallSeconds);
  ChildRun median = runs[runs.size() / 2];
  median.cpuSeconds = cpu[cpu.size() / 2];
  return median;
}

}  // namespace

int main() {
  const trel::testing::TempDir dir;
  trel::bench::WriteFullUpdate(dir.path());
  std::vector<std::unique_ptr<PrinterSimProcess>> printers;
  for (std::size_t index = 0; index < kPrinters; ++index) {
    printers.push_back(
        std::make_unique<PrinterSimProcess>(std::vector<std::string>{"--delay", "10"}));
    if (!printers.back()->started()) {
      std::fprintf(stderr, "trel-printer-sim did not start\n");
      return 1;
    }
  }
  const ChildRun one = MedianSend(printers, 1, dir.path());
  const ChildRun eight = MedianSend(printers, kPrinters, dir.path());
  if (one.exitCode != 0 || eight.exitCode != 0) {
    std::fprintf(stderr, "trel send failed with status %d\n",
                 std::max(one.exitCode, eight.exitCode));
    return 1;
  }
  std::printf("printers answering after 10 ms, medians of %d sends\n", kRuns);
  std::printf("1 printer:   %.3f s wall, %.3f s CPU\n", one.wallSeconds, one.cpuSeconds);
  std::printf("8 printers:  %.3f s wall, %.3f s CPU\n", eight.wallSeconds, eight.cpuSeconds);
  std::printf("wall ratio:  %.3f (goal: at most 1.25)\n", eight.wallSeconds / one.wallSeconds);
  std::printf("CPU ratio:   %.3f (goal: at most 8)\n", eight.cpuSeconds / one.cpuSeconds);
  return 0;
}
