#include "platform/whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

namespace trel {

namespace {

namespace fs = std::filesystem;

constexpr mode_t kAnyWrite = S_IWUSR | S_IWGRP | S_IWOTH;

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() { close(); }

  int get() const { return fd_; }
  bool close() {
    const int fd = fd_;
    fd_ = -1;
    return fd < 0 || ::close(fd) == 0;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) {
      continue;
    }
    if (written <= 0) {
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// The file a write really replaces: the target of a symbolic link, else the path itself.
std::optional<fs::path> ReplacedFile(const fs::path& file) {
  std::error_code error;
  if (!fs::is_symlink(file, error)) {
    return file;
  }
  fs::path target = fs::weakly_canonical(file, error);
  return error ? std::nullopt : std::optional<fs::path>(target);
}

// Creates a new, empty file beside `target` that nobody else uses; -1 when that is impossible.
int CreateTemporaryBeside(const fs::path& target, fs::path& temporary) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary = target;
    temporary += ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) {
      return fd;
    }
  }
  return -1;
}

void SyncFolder(const fs::path& folder) {
  FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.get() >= 0) {
    ::fsync(fd.get());  // best effort: the rename itself has already taken place
  }
}

// Writes the bytes into the new temporary file and gives it the old file's permissions and owner.
bool FillTemporary(int fd, std::string_view bytes, const struct stat* old) {
  if (old != nullptr) {
    if (::fchmod(fd, old->st_mode & 07777) != 0) {
      return false;
    }
    [[maybe_unused]] const int ignored = ::fchown(fd, old->st_uid, old->st_gid);
  }
  return WriteAll(fd, bytes) && ::fsync(fd) == 0;
}

}  // namespace

std::optional<std::string> ReadWholeFile(const fs::path& file, std::error_code& error) {
  error.clear();
  // Non-blocking, so that a pipe or a device given as a file cannot hang the caller.
  FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  struct stat info {};
  if (fd.get() < 0 || ::fstat(fd.get(), &info) != 0) {
    error.assign(errno, std::generic_category());
    return std::nullopt;
  }
  if (!S_ISREG(info.st_mode)) {
    error = std::make_error_code(S_ISDIR(info.st_mode) ? std::errc::is_a_directory
                                                       : std::errc::invalid_argument);
    return std::nullopt;
  }
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(info.st_size));
  char chunk[65536];
  for (;;) {
    const ssize_t got = ::read(fd.get(), chunk, sizeof chunk);
    if (got < 0 && errno == EINTR) {
      continue;
    }
    if (got < 0) {
      error.assign(errno, std::generic_category());
      return std::nullopt;
    }
    if (got == 0) {
      return bytes;
    }
    bytes.append(chunk, static_cast<std::size_t>(got));
  }
}

bool IsWritableFolder(const fs::path& folder) {
  struct stat info {};
  return ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
         (info.st_mode & kAnyWrite) != 0 && ::access(folder.c_str(), W_OK | X_OK) == 0;
}

bool ReplaceFileAtomically(const fs::path& file, std::string_view bytes) {
  const std::optional<fs::path> target = ReplacedFile(file);
  if (!target || target->filename().empty()) {
    return false;
  }
  struct stat old {};
  const bool exists = ::stat(target->c_str(), &old) == 0;
  if (exists && (!S_ISREG(old.st_mode) || (old.st_mode & kAnyWrite) == 0)) {
    return false;
  }
  const fs::path folder = target->parent_path().empty() ? fs::path(".") : target->parent_path();
  if (!IsWritableFolder(folder)) {
    return false;
  }
  fs::path temporary;
  FileDescriptor fd(CreateTemporaryBeside(*target, temporary));
  if (fd.get() < 0) {
    return false;
  }
  const bool written = FillTemporary(fd.get(), bytes, exists ? &old : nullptr) && fd.close();
  if (!written || ::rename(temporary.c_str(), target->c_str()) != 0) {
    ::unlink(temporary.c_str());
    return false;
  }
  SyncFolder(folder);
  return true;
}

}  // namespace trel
