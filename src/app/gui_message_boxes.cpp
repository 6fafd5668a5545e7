#include "app/gui_message_boxes.h"

#include <QMessageBox>
#include <QThread>

namespace trel {

GuiMessageBoxes::GuiMessageBoxes(UiThreadQueue& uiThread, ModalBox box)
    : uiThread_(uiThread), box_(std::move(box)) {}

void GuiMessageBoxes::show(const std::string& text, const std::string& caption) {
  const QString boxText = QString::fromStdString(text);
  const QString boxCaption = QString::fromStdString(caption);
  if (QThread::currentThread() == uiThread_.thread()) {
    box_(boxText, boxCaption);
    return;
  }
  auto closed = std::make_shared<bool>(false);
  std::unique_lock lock(waits_->mutex);
  if (waits_->released) {
    return;
  }
  uiThread_.post([box = box_, waits = waits_, closed, boxText, boxCaption] {
    box(boxText, boxCaption);
    const std::lock_guard closedLock(waits->mutex);
    *closed = true;
    waits->changed.notify_all();
  });
  waits_->changed.wait(lock, [&] { return *closed || waits_->released; });
}

void GuiMessageBoxes::release() {
  const std::lock_guard lock(waits_->mutex);
  waits_->released = true;
  waits_->changed.notify_all();
}

void ShowModalBox(QWidget* owner, const QString& text, const QString& caption) {
  QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, owner);
  box.exec();
}

}  // namespace trel
