#include "qt/ui_thread_queue.h"

#include <QCoreApplication>
#include <QEvent>

namespace trel {
namespace {

const QEvent::Type kRunTasks = static_cast<QEvent::Type>(QEvent::registerEventType());

}  // namespace

void UiThreadQueue::post(std::function<void()> task) {
  {
    const std::lock_guard lock(mutex_);
    tasks_.push_back(std::move(task));
  }
  QCoreApplication::postEvent(this, new QEvent(kRunTasks));
}

void UiThreadQueue::customEvent(QEvent* event) {
  if (event->type() != kRunTasks) {
    QObject::customEvent(event);
    return;
  }
  // One task per wake-up, so a task that opens a modal box leaves the rest in order behind it.
  std::function<void()> task;
  {
    const std::lock_guard lock(mutex_);
    if (tasks_.empty()) {
      return;
    }
    task = std::move(tasks_.front());
    tasks_.pop_front();
  }
  task();
}

}  // namespace trel
