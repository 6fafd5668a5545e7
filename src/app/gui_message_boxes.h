#pragma once

#include <QObject>
#include <QString>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

#include "app/ui_thread_queue.h"
#include "platform/message_boxes.h"

namespace trel {

// Message boxes for the engine and the window. On the UI thread a box is shown at once; from a
// worker the box is shown on the UI thread and the worker waits until the operator has closed it.
// Once the window closes, release() lets a waiting worker go on and later boxes are not shown, so
// the window can wait for its worker without either waiting for the other.
class GuiMessageBoxes : public MessageBoxes {
 public:
  using ModalBox = std::function<void(const QString& text, const QString& caption)>;

  GuiMessageBoxes(UiThreadQueue& uiThread, ModalBox box);

  void show(const std::string& text, const std::string& caption) override;
  void release();

 private:
  struct Waits {
    std::mutex mutex;
    std::condition_variable changed;
    bool released = false;
  };

  UiThreadQueue& uiThread_;
  ModalBox box_;
  std::shared_ptr<Waits> waits_ = std::make_shared<Waits>();
};

// The real box: the caption, the text and an OK button.
void ShowModalBox(QWidget* owner, const QString& text, const QString& caption);

}  // namespace trel
