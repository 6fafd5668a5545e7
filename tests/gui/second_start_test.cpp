// A second trel-update on the same tool folder, as a real process: it says the tool is already
// running, asks the first window to the front and goes; a crashed first window blocks nobody.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <string>

#include "gui_test_support.h"
#include "platform/tool_folder_lock.h"
#include "support/child_process.h"
#include "support/temp_dir.h"

namespace trel {
namespace {

using testing::WaitUntil;

constexpr int kLimitMs = 20000;

// trel-update on the folder, its standard error read through a pipe.
class ToolProcess {
 public:
  explicit ToolProcess(const std::filesystem::path& folder) {
    if (::pipe(pipe_) == 0) {
      pid_ = testing::SpawnProgram(testing::ProgramPath("trel-update"), {}, STDOUT_FILENO, pipe_[1],
                                   {"TREL_TOOL_DIR=" + folder.string()});
      ::close(pipe_[1]);
    }
  }
  ~ToolProcess() {
    kill(SIGKILL);
    ::close(pipe_[0]);
  }
  // Gathers standard error until it holds `text`; false when the limit passed first.
  bool waitForError(const std::string& text) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kLimitMs);
    while (error_.find(text) == std::string::npos) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          deadline - std::chrono::steady_clock::now());
      pollfd wait{pipe_[0], POLLIN, 0};
      char bytes[256];
      ssize_t got = 0;
      if (left.count() <= 0 || ::poll(&wait, 1, static_cast<int>(left.count())) <= 0 ||
          (got = ::read(pipe_[0], bytes, sizeof bytes)) <= 0) {
        return false;
      }
      error_.append(bytes, static_cast<std::size_t>(got));
    }
    return true;
  }
  void kill(int signal) {
    if (pid_ > 0) {
      ::kill(pid_, signal);
      ::waitpid(pid_, nullptr, 0);
      pid_ = -1;
    }
  }

 private:
  pid_t pid_ = -1;
  int pipe_[2] = {-1, -1};
  std::string error_;
};

class SecondStartTest : public testing::GuiTest {
 protected:
  testing::TempDir folder;
};

TEST_F(SecondStartTest, SaysTheToolIsRunningAndAsksTheFirstWindowToTheFront) {
  const std::unique_ptr<ToolFolderLock> first = ToolFolderLock::Take(folder.path());
  ASSERT_NE(first, nullptr);
  std::atomic<bool> askedToShow{false};
  const auto listening = first->listen([&] { askedToShow = true; });
  ToolProcess second(folder.path());
  EXPECT_TRUE(second.waitForError("trel-update: The tool is already running with the folder " +
                                  folder.path().string() + "."));
  EXPECT_TRUE(WaitUntil([&] { return askedToShow.load(); }, kLimitMs));
  second.kill(SIGTERM);
  EXPECT_TRUE(std::filesystem::is_empty(folder.path()));  // it wrote nothing there
}

TEST_F(SecondStartTest, AWindowThatCrashedLeavesTheFolderFree) {
  ToolProcess crashing(folder.path());
  ASSERT_TRUE(WaitUntil([&] { return AskLockHolderToShow(folder.path()); }, kLimitMs));
  EXPECT_EQ(ToolFolderLock::Take(folder.path()), nullptr);
  crashing.kill(SIGKILL);
  EXPECT_NE(ToolFolderLock::Take(folder.path()), nullptr);
}

}  // namespace
}  // namespace trel
