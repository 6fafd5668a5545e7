#pragma once

#include <memory>
#include <mutex>
#include <utility>

#include "link/printer_link.h"

namespace trel {

// The registered data callback. The delivery thread takes a reference to it per drain, so it may be
// replaced at any time without a copy of the function on the delivery path.
class DataCallbackSlot {
 public:
  void Set(SerialDataCallback callback) {
    std::shared_ptr<const SerialDataCallback> replacement;
    if (callback) {
      replacement = std::make_shared<const SerialDataCallback>(std::move(callback));
    }
    std::lock_guard lock(mutex_);
    current_ = std::move(replacement);
  }

  // Empty when no callback is registered.
  std::shared_ptr<const SerialDataCallback> Current() const {
    std::lock_guard lock(mutex_);
    return current_;
  }

 private:
  mutable std::mutex mutex_;
  std::shared_ptr<const SerialDataCallback> current_;
};

}  // namespace trel
