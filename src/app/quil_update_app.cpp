#include "app/quil_update_app.h"

#include <cstdio>
#include <string>

#include "app/operator_dialogs.h"
#include "app/quil_update_dlg.h"
#include "app/renderer.h"
#include "app/session_device_link.h"
#include "link/adapter_hints.h"
#include "link/serial_session.h"
#include "platform/tool_folder.h"
#include "platform/tool_folder_lock.h"
#include "platform/utf8_path.h"
#include "platform/utf_convert.h"

namespace trel {
namespace {

// A second window on the same tool folder would overwrite the first one's working copy and send
// its list: the first window comes to the front instead, and this start says why it ends.
int RefuseSecondStart(const std::filesystem::path& folder, OperatorDialogs& dialogs) {
  AskLockHolderToShow(folder);
  const std::string text =
      "The tool is already running with the folder " + PathToUtf8(folder) + ".";
  std::fprintf(stderr, "trel-update: %s\n", text.c_str());
  std::fflush(stderr);
  dialogs.showMessage(Utf8ToUtf16(text), CquilUpdateDlg::kCaption);
  return CquilUpdateApp::kAlreadyRunning;
}

}  // namespace

int CquilUpdateApp::run() {
  const std::filesystem::path folder = ToolFolder();
  const std::unique_ptr<ToolFolderLock> lock = ToolFolderLock::Take(folder);
  if (!lock) {
    return RefuseSecondStart(folder, renderer_.dialogs());
  }
  SerialSession session;
  SessionDeviceLink link(session);
  WindowScreen& screen = renderer_.mainWindow();
  CquilUpdateDlg window(
      CquilUpdateDlg::Services{link, renderer_.dialogs(), folder, LocalMissingPortNote}, screen);
  const auto listening =
      lock->listen([&screen] { screen.post([&screen] { screen.bringToFront(); }); });
  if (!window.initialise()) {
    return -1;
  }
  renderer_.runModal();
  return 0;
}

}  // namespace trel
