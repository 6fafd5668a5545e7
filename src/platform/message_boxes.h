#pragma once

#include <string>

namespace trel {

// A message box shown to the operator. Texts are UTF-8. Called from a worker, show() blocks until
// the operator has closed the box; the command line prints "caption: text" on stderr instead.
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual void show(const std::string& text, const std::string& caption) = 0;
};

}  // namespace trel
