#pragma once

#include <QObject>
#include <functional>

#include "app/task_queue.h"

namespace trel {

// Runs tasks that other threads hand in on the UI thread, in the order handed in: Qt is only asked
// to wake the UI thread for each. Tasks still waiting when the queue goes are dropped.
class UiThreadQueue : public QObject {
 public:
  using QObject::QObject;

  // Any thread; never blocks on the UI thread.
  void post(std::function<void()> task);

 protected:
  void customEvent(QEvent* event) override;

 private:
  TaskQueue tasks_;
};

}  // namespace trel
