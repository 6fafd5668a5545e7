#pragma once

#include "link/printer_link.h"
#include "platform/window_messages.h"

namespace trel {

// What the main window needs of the device link: the link a job talks through, started at start-up
// with the reply callback and the window's messages, and shut down when the window goes.
class DeviceLink : public PrinterLink {
 public:
  virtual void SerialSetDataCallback(SerialDataCallback callback) = 0;
  // 0 when the link cannot start; the tool then ends at once.
  virtual int SerialStart(WindowMessages& window) = 0;
  virtual void SerialShutdown() = 0;
};

}  // namespace trel
