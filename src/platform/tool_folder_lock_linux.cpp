#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <thread>

#include "platform/file_descriptor_posix.h"
#include "platform/tool_folder_lock.h"

namespace trel {
namespace {

// The holder's door for a second start: a socket in the abstract namespace, which needs no file
// and goes with the process.
sockaddr_un DoorAddress(const std::filesystem::path& folder, socklen_t& length) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string name = ToolFolderLockName(folder);
  std::memcpy(address.sun_path + 1, name.data(), name.size());
  length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
  return address;
}

int OpenDoorSocket() {
  return ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
}

// Accepts knocks at the door on a thread of its own until it goes; a pipe wakes the thread to stop.
class DoorListening : public ToolFolderLock::Listening {
 public:
  DoorListening(int door, std::function<void()> onKnock) : onKnock_(std::move(onKnock)) {
    if (::pipe2(wake_.data(), O_CLOEXEC) == 0) {
      thread_ = std::thread([this, door] { run(door); });
    }
  }
  ~DoorListening() override {
    if (thread_.joinable()) {
      [[maybe_unused]] const ssize_t written = ::write(wake_[1], "x", 1);
      thread_.join();
    }
    for (const int fd : wake_) {
      if (fd >= 0) {
        ::close(fd);
      }
    }
  }

 private:
  void run(int door) {
    for (;;) {
      std::array<pollfd, 2> waits{{{door, POLLIN, 0}, {wake_[0], POLLIN, 0}}};
      if (::poll(waits.data(), waits.size(), -1) < 0 && errno != EINTR) {
        return;
      }
      if (waits[1].revents != 0) {
        return;
      }
      if ((waits[0].revents & POLLIN) != 0) {
        FileDescriptor knock(::accept4(door, nullptr, nullptr, SOCK_CLOEXEC));
        if (knock.get() >= 0) {
          onKnock_();
        }
      }
    }
  }

  std::function<void()> onKnock_;
  std::array<int, 2> wake_{-1, -1};
  std::thread thread_;
};

// Listens for nothing: the lock holds, but no second start can reach this one.
class NoListening : public ToolFolderLock::Listening {};

// flock() on the folder itself: it needs no file in the folder (which may be read-only), and the
// system lets go of it when the descriptor closes, that is when the process ends.
class FolderLock : public ToolFolderLock {
 public:
  explicit FolderLock(const std::filesystem::path& folder)
      : folder_(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)),
        door_(OpenDoorSocket()) {}

  // False when another process holds the folder. A folder that cannot be opened cannot be locked
  // and is let through: the start then goes on as without the lock.
  bool take() const {
    return folder_.get() < 0 || ::flock(folder_.get(), LOCK_EX | LOCK_NB) == 0 ||
           errno != EWOULDBLOCK;
  }

  void openDoor(const std::filesystem::path& folder) {
    socklen_t length = 0;
    const sockaddr_un address = DoorAddress(folder, length);
    doorOpen_ = door_.get() >= 0 &&
                ::bind(door_.get(), reinterpret_cast<const sockaddr*>(&address), length) == 0 &&
                ::listen(door_.get(), 4) == 0;
  }

  std::unique_ptr<Listening> listen(std::function<void()> onAskedToShow) override {
    if (!doorOpen_) {
      return std::make_unique<NoListening>();
    }
    return std::make_unique<DoorListening>(door_.get(), std::move(onAskedToShow));
  }

 private:
  FileDescriptor folder_;
  FileDescriptor door_;
  bool doorOpen_ = false;
};

}  // namespace

std::unique_ptr<ToolFolderLock> ToolFolderLock::Take(const std::filesystem::path& folder) {
  auto lock = std::make_unique<FolderLock>(folder);
  if (!lock->take()) {
    return nullptr;
  }
  lock->openDoor(folder);
  return lock;
}

bool AskLockHolderToShow(const std::filesystem::path& folder) {
  FileDescriptor knock(OpenDoorSocket());
  socklen_t length = 0;
  const sockaddr_un address = DoorAddress(folder, length);
  return knock.get() >= 0 &&
         ::connect(knock.get(), reinterpret_cast<const sockaddr*>(&address), length) == 0;
}

}  // namespace trel
