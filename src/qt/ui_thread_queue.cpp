#include "qt/ui_thread_queue.h"

#include <QCoreApplication>
#include <QEvent>

namespace trel {
namespace {

const QEvent::Type kRunTasks = static_cast<QEvent::Type>(QEvent::registerEventType());

}  // namespace

void UiThreadQueue::post(std::function<void()> task) {
  tasks_.push(std::move(task));
  QCoreApplication::postEvent(this, new QEvent(kRunTasks));
}

void UiThreadQueue::customEvent(QEvent* event) {
  if (event->type() != kRunTasks) {
    QObject::customEvent(event);
    return;
  }
  tasks_.runOne();
}

}  // namespace trel
