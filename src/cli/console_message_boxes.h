#pragma once

#include "cli/job_output.h"
#include "platform/message_boxes.h"

namespace trel {

// A message box on the command line: "caption: text" on its own line; nobody has to close it, so
// the worker goes on at once.
class ConsoleMessageBoxes : public MessageBoxes {
 public:
  explicit ConsoleMessageBoxes(JobOutput& output) : output_(output) {}
  void show(const std::string& text, const std::string& caption) override {
    output_.line(caption + ": " + text);
  }

 private:
  JobOutput& output_;
};

}  // namespace trel
