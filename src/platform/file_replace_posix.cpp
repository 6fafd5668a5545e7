#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

#include "platform/file_descriptor_posix.h"
#include "platform/whole_file.h"

namespace trel {

namespace {

namespace fs = std::filesystem;

constexpr mode_t kAnyWrite = S_IWUSR | S_IWGRP | S_IWOTH;

enum class Replaced { kDone, kFailed, kFolderRefused };

bool IsRefusal(int error) {
  return error == EACCES || error == EPERM;
}

std::error_code LastError() {
  return {errno, std::generic_category()};
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

// Creates a new, empty file beside `target` that nobody else uses; -1 (errno set) when that is
// impossible.
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

// The atomic way: a temporary file beside the target, renamed over it. kFolderRefused when the
// folder does not let us create the temporary file or rename it over the target; `error` says why.
Replaced ReplaceThroughTemporary(const fs::path& target, const fs::path& folder,
                                 std::string_view bytes, const struct stat* old,
                                 std::error_code& error) {
  if (!IsWritableFolder(folder)) {
    error = std::make_error_code(std::errc::permission_denied);
    return Replaced::kFolderRefused;
  }
  fs::path temporary;
  FileDescriptor fd(CreateTemporaryBeside(target, temporary));
  if (fd.get() < 0) {
    error = LastError();
    return IsRefusal(errno) ? Replaced::kFolderRefused : Replaced::kFailed;
  }
  if (!FillTemporary(fd.get(), bytes, old) || !fd.close()) {
    error = LastError();
    ::unlink(temporary.c_str());
    return Replaced::kFailed;
  }
  if (::rename(temporary.c_str(), target.c_str()) != 0) {
    error = LastError();
    ::unlink(temporary.c_str());
    return IsRefusal(error.value()) ? Replaced::kFolderRefused : Replaced::kFailed;
  }
  SyncFolder(folder);
  return Replaced::kDone;
}

bool WriteContents(int fd, std::string_view bytes) {
  return WriteAllAt(fd, bytes, 0) && ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 &&
         ::fsync(fd) == 0;
}

// The way for a folder that refuses a temporary file: the file's own bytes are rewritten. That is
// not atomic, so the old contents are kept and written back when the new ones cannot be written
// whole.
bool RewriteInPlace(const fs::path& file, std::string_view bytes, std::error_code& error) {
  FileDescriptor fd(::open(file.c_str(), O_RDWR | O_CLOEXEC));
  std::string old;
  if (fd.get() < 0 || !ReadToEnd(fd.get(), old)) {
    error = LastError();
    return false;
  }
  if (WriteContents(fd.get(), bytes)) {
    return true;
  }
  error = LastError();
  WriteContents(fd.get(), old);
  return false;
}

// Why an existing file is not written at all: no regular file, or no write permission.
std::error_code RefusalOf(const struct stat& old) {
  if (S_ISDIR(old.st_mode)) {
    return std::make_error_code(std::errc::is_a_directory);
  }
  if (!S_ISREG(old.st_mode)) {
    return std::make_error_code(std::errc::invalid_argument);
  }
  if ((old.st_mode & kAnyWrite) == 0) {
    return std::make_error_code(std::errc::permission_denied);
  }
  return {};
}

}  // namespace

bool ReplaceWholeFile(const fs::path& file, std::string_view bytes, std::error_code& error) {
  error.clear();
  const std::optional<fs::path> target = ReplacedFile(file);
  if (!target || target->filename().empty()) {
    error = std::make_error_code(std::errc::invalid_argument);
    return false;
  }
  struct stat old {};
  const bool exists = ::stat(target->c_str(), &old) == 0;
  if (exists && (error = RefusalOf(old))) {
    return false;
  }
  const fs::path folder = target->parent_path().empty() ? fs::path(".") : target->parent_path();
  switch (ReplaceThroughTemporary(*target, folder, bytes, exists ? &old : nullptr, error)) {
    case Replaced::kDone:
      return true;
    case Replaced::kFolderRefused:
      if (exists && RewriteInPlace(*target, bytes, error)) {
        error.clear();
        return true;
      }
      return false;
    case Replaced::kFailed:
      break;
  }
  return false;
}

}  // namespace trel
