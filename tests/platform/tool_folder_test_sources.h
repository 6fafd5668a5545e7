#pragma once

#include <gtest/gtest.h>

#include "platform/tool_folder.h"
#include "platform/utf8_path.h"
#include "support/temp_dir.h"

namespace trel::testing {

// Sources of the tool folder choice inside a test's own folder: the executable in "exe", the
// configuration folder "config", the home folder "home".
class ToolFolderSourcesTest : public ::testing::Test {
 protected:
  ToolFolderSources sources() const {
    return {std::nullopt, dir_ / "exe", PathToUtf8(dir_ / "config"), PathToUtf8(dir_ / "home"), {}};
  }

  TempDir dir_;
};

}  // namespace trel::testing
