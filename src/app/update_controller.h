#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/tool_settings.h"
#include "app/window_paths.h"
#include "update/start_checks.h"
#include "update/update_environment.h"
#include "update/update_job.h"
#include "update/update_worker.h"

namespace trel {

class CComboListCtrl;
class DeviceLink;
class FileCommands;
class OperatorDialogs;
class WindowScreen;

// Start and what follows it: the checks, the settings Start writes, the output file, the worker,
// and on the UI thread the progress, the outcome, the reset timer and the list of discovered ports.
class UpdateController {
 public:
  static constexpr int kResetTimer = 101;
  static constexpr int kResetDelayMs = 3000;

  UpdateController(WindowScreen& screen, CComboListCtrl& table, const WindowPaths& paths,
                   const ToolSettings& settings, OperatorDialogs& dialogs, FileCommands& files,
                   UpdateEnvironment environment, DeviceLink& link);

  void start();
  void onUpdateStatus(std::uintptr_t wParam, std::intptr_t lParam);
  void onPortFound(std::uintptr_t wParam, std::intptr_t lParam);
  void onTimer(int timerId);

  // The operator asks to close the window (Exit or the close box). With no job running the answer
  // is yes at once; during a job the operator is asked first, and a yes ends the job.
  bool mayClose();
  // The window is closing: the link closes, so a running job fails at its next write, and the
  // worker is waited for.
  void endJobAndWait();

  bool jobRunning() const { return worker_.IsRunning(); }
  const std::vector<std::u16string>& discoveredPorts() const { return discoveredPorts_; }
  bool resetTimerActive() const { return resetTimerActive_; }

 private:
  bool checkPortAndSaveLine();
  bool confirmKeywordFiles();
  bool storeUnsavedEdits();
  bool chooseOutputFile();
  FilesToSend filesToSend() const;
  std::optional<std::string> selectedPortEntry() const;
  void writeLineSettings() const;
  void fillJobFiles();
  void disableJobControls();
  void enableJobControls();
  void endJob();
  void showOutcome(std::intptr_t outcome);
  void addDiscoveredPort(const std::u16string& name);
  void setStatus(std::u16string_view text);
  void setStatus(const std::string& text);

  WindowScreen& screen_;
  CComboListCtrl& table_;
  const WindowPaths& paths_;
  const ToolSettings& settings_;
  OperatorDialogs& dialogs_;
  FileCommands& files_;
  UpdateEnvironment environment_;
  DeviceLink& link_;
  UpdateJob job_;
  int progressSteps_ = 0;
  bool portFound_ = false;
  bool resetTimerActive_ = false;
  std::vector<std::u16string> discoveredPorts_;
  UpdateWorker worker_;
};

}  // namespace trel
