#include "app/window_message_boxes.h"

#include "app/operator_dialogs.h"
#include "app/window_screen.h"
#include "platform/utf_convert.h"

namespace trel {

void WindowMessageBoxes::show(const std::string& text, const std::string& caption) {
  const std::u16string boxText = Utf8ToUtf16(text);
  const std::u16string boxCaption = Utf8ToUtf16(caption);
  if (screen_.onUiThread()) {
    dialogs_.showMessage(boxText, boxCaption);
    return;
  }
  auto closed = std::make_shared<bool>(false);
  std::unique_lock lock(waits_->mutex);
  if (waits_->released) {
    return;
  }
  screen_.post([&dialogs = dialogs_, waits = waits_, closed, boxText, boxCaption] {
    dialogs.showMessage(boxText, boxCaption);
    const std::lock_guard closedLock(waits->mutex);
    *closed = true;
    waits->changed.notify_all();
  });
  waits_->changed.wait(lock, [&] { return *closed || waits_->released; });
}

void WindowMessageBoxes::release() {
  const std::lock_guard lock(waits_->mutex);
  waits_->released = true;
  waits_->changed.notify_all();
}

}  // namespace trel
