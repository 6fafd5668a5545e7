#include "app/quil_update_app.h"

#include <QMetaObject>
#include <cstdio>
#include <string>

#include "app/gui_message_boxes.h"
#include "app/operator_dialogs.h"
#include "app/qt_text.h"
#include "app/quil_update_dlg.h"
#include "app/session_device_link.h"
#include "link/serial_session.h"
#include "platform/tool_folder.h"
#include "platform/tool_folder_lock.h"

namespace trel {
namespace {

// A second window on the same tool folder would overwrite the first one's working copy and send
// its list: the first window comes to the front instead, and this start says why it ends.
int RefuseSecondStart(const std::filesystem::path& folder) {
  AskLockHolderToShow(folder);
  const QString text =
      QStringLiteral("The tool is already running with the folder %1.").arg(PathToQString(folder));
  std::fprintf(stderr, "trel-update: %s\n", text.toLocal8Bit().constData());
  std::fflush(stderr);
  ShowModalBox(nullptr, text, CquilUpdateDlg::kCaption);
  return CquilUpdateApp::kAlreadyRunning;
}

}  // namespace

int CquilUpdateApp::run() {
  const std::filesystem::path folder = ToolFolder();
  const std::unique_ptr<ToolFolderLock> lock = ToolFolderLock::Take(folder);
  if (!lock) {
    return RefuseSecondStart(folder);
  }
  SerialSession session;
  SessionDeviceLink link(session);
  QtOperatorDialogs dialogs(nullptr);
  CquilUpdateDlg window(CquilUpdateDlg::Services{link, dialogs, {}, folder});
  dialogs.setOwner(&window);
  const auto listening = lock->listen([&window] {
    QMetaObject::invokeMethod(
        &window, [&window] { window.bringToFront(); }, Qt::QueuedConnection);
  });
  if (!window.initialise()) {
    return -1;
  }
  window.exec();
  return 0;
}

}  // namespace trel
