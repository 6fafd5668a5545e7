#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

namespace trel {

// One window works on a tool folder at a time: two would overwrite each other's working copy. The
// lock is the system's own, so it goes when the process ends, however it ends; a crashed window
// never blocks the next start.
class ToolFolderLock {
 public:
  // Stops listening for a second start; listening stops when the object goes.
  class Listening {
   public:
    virtual ~Listening() = default;
  };

  // The folder's lock, or nothing when another process holds it.
  static std::unique_ptr<ToolFolderLock> Take(const std::filesystem::path& folder);
  virtual ~ToolFolderLock() = default;

  // Calls `onAskedToShow` on a thread of its own whenever another start on the same folder asks
  // this one to bring its window to the front, until the returned object goes.
  virtual std::unique_ptr<Listening> listen(std::function<void()> onAskedToShow) = 0;
};

// Asks the process that holds the folder's lock to bring its window to the front; false when it
// could not be reached.
bool AskLockHolderToShow(const std::filesystem::path& folder);

// The name under which the lock and its requests meet: the same for every spelling of the folder.
std::string ToolFolderLockName(const std::filesystem::path& folder);

}  // namespace trel
