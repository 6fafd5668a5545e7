#include "app/quil_update_app.h"

#include "app/operator_dialogs.h"
#include "app/quil_update_dlg.h"
#include "app/session_device_link.h"
#include "link/serial_session.h"
#include "platform/tool_folder.h"

namespace trel {

int CquilUpdateApp::run() {
  SerialSession session;
  SessionDeviceLink link(session);
  QtOperatorDialogs dialogs(nullptr);
  CquilUpdateDlg window(CquilUpdateDlg::Services{link, dialogs, {}, ToolFolder()});
  dialogs.setOwner(&window);
  if (!window.initialise()) {
    return -1;
  }
  window.exec();
  return 0;
}

}  // namespace trel
