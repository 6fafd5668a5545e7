#pragma once

#include <QObject>
#include <deque>
#include <functional>
#include <mutex>

namespace trel {

// Runs tasks that other threads hand in on the UI thread, in the order handed in. The tasks wait in
// a queue of our own under our own lock, and Qt is only asked to wake the UI thread; so every
// thread checker sees how a task crosses threads. Tasks still waiting when the queue goes are
// dropped.
class UiThreadQueue : public QObject {
 public:
  using QObject::QObject;

  // Any thread; never blocks on the UI thread.
  void post(std::function<void()> task);

 protected:
  void customEvent(QEvent* event) override;

 private:
  std::mutex mutex_;
  std::deque<std::function<void()>> tasks_;
};

}  // namespace trel
