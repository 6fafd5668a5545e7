#pragma once

#include <condition_variable>
#include <memory>
#include <mutex>

#include "platform/message_boxes.h"

namespace trel {

class OperatorDialogs;
class WindowScreen;

// Message boxes for the engine and the window. On the UI thread a box is shown at once; from a
// worker the box is shown on the UI thread and the worker waits until the operator has closed it.
// Once the window closes, release() lets a waiting worker go on and later boxes are not shown, so
// the window can wait for its worker without either waiting for the other.
class WindowMessageBoxes : public MessageBoxes {
 public:
  WindowMessageBoxes(WindowScreen& screen, OperatorDialogs& dialogs)
      : screen_(screen), dialogs_(dialogs) {}

  void show(const std::string& text, const std::string& caption) override;
  void release();

 private:
  struct Waits {
    std::mutex mutex;
    std::condition_variable changed;
    bool released = false;
  };

  WindowScreen& screen_;
  OperatorDialogs& dialogs_;
  std::shared_ptr<Waits> waits_ = std::make_shared<Waits>();
};

}  // namespace trel
