// Measures the desktop tool as an operator meets it: the time from process start to the main
// window's first paint (with the examples loaded and the serial session running), the CPU it uses
// while it sits idle for 10 s, and its peak memory. Prints the figures against their goals.
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/quil_update_dlg.h"
#include "app/session_device_link.h"
#include "link/serial_session.h"
#include "qt/qt_main_window.h"
#include "qt/qt_operator_dialogs.h"

namespace {

constexpr double kStartupGoalMs = 500.0;
constexpr double kIdleGoalPercent = 1.0;
constexpr double kMemoryGoalMiB = 120.0;
constexpr int kIdleSeconds = 10;

// Notes the first paint of the window it watches.
class FirstPaint : public QObject {
 public:
  explicit FirstPaint(const QElapsedTimer& clock) : clock_(clock) {}
  qint64 elapsedMs() const { return elapsedMs_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && elapsedMs_ < 0) {
      elapsedMs_ = clock_.elapsed();
      QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  const QElapsedTimer& clock_;
  qint64 elapsedMs_ = -1;
};

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double PeakMiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024.0;  // kilobytes on Linux
}

// A tool folder of the bench's own with the examples, as the operator's would be after Import.
std::filesystem::path PrepareToolFolder() {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("trel-bench-app-" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  const std::filesystem::path examples = TREL_EXAMPLES_DIR;
  std::filesystem::copy_file(examples / "params.ini", folder / "TrelDefault.ini",
                             std::filesystem::copy_options::overwrite_existing);
  std::ofstream settings(folder / "TrelTool.ini", std::ios::binary);
  settings << "[PRN]\r\nPrnFile1=" << (examples / "keywords.xml").string()
           << "\r\nXmlFile2=keywords-extra1.xml;keywords-extra2.ini\r\n[INI]\r\nIniFile="
           << (examples / "params.ini").string() << "\r\n";
  return folder;
}

const char* Verdict(bool met) {
  return met ? "met" : "MISSED";
}

}  // namespace

int main(int argc, char** argv) {
  QElapsedTimer clock;
  clock.start();
  QApplication application(argc, argv);
  const std::filesystem::path folder = PrepareToolFolder();
  int status = 0;
  {
    trel::SerialSession session;
    trel::SessionDeviceLink link(session);
    trel::QtOperatorDialogs dialogs(nullptr);
    trel::QtMainWindow screen;
    trel::CquilUpdateDlg window(trel::CquilUpdateDlg::Services{link, dialogs, folder}, screen);
    FirstPaint firstPaint(clock);
    screen.installEventFilter(&firstPaint);
    if (!window.initialise()) {
      std::fprintf(stderr, "the serial session did not start\n");
      return 1;
    }
    screen.show();
    QApplication::exec();
    const double startupMs = static_cast<double>(firstPaint.elapsedMs());

    const double cpuBefore = CpuSeconds();
    QElapsedTimer idle;
    idle.start();
    QTimer::singleShot(std::chrono::seconds(kIdleSeconds), qApp, [] { QCoreApplication::exit(0); });
    QApplication::exec();
    const double idlePercent = 100.0 * (CpuSeconds() - cpuBefore) / (idle.elapsed() / 1000.0);
    const double peak = PeakMiB();

    std::printf("start-up to first paint: %.1f ms (goal < %.0f ms: %s)\n", startupMs,
                kStartupGoalMs, Verdict(startupMs < kStartupGoalMs));
    std::printf("CPU while idle for %d s: %.2f %% of a core (goal < %.0f %%: %s)\n", kIdleSeconds,
                idlePercent, kIdleGoalPercent, Verdict(idlePercent < kIdleGoalPercent));
    std::printf("peak memory: %.1f MiB (goal < %.0f MiB: %s)\n", peak, kMemoryGoalMiB,
                Verdict(peak < kMemoryGoalMiB));
    status = startupMs >= 0 ? 0 : 1;
  }
  std::filesystem::remove_all(folder);
  return status;
}
