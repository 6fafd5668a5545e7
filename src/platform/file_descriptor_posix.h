#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace trel {

// An open file descriptor, closed when the object goes.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() { close(); }

  int get() const { return fd_; }
  // Closes now; false when closing reported an error (a delayed write failure shows here).
  bool close();

 private:
  int fd_;
};

// Writes all bytes at the current position, retrying after interruptions; false on any failure.
bool WriteAll(int fd, std::string_view bytes);

// Writes all bytes from `offset` on, leaving the file position alone; false on any failure.
bool WriteAllAt(int fd, std::string_view bytes, std::size_t offset);

// Reads from the current position to the end of the file, retrying after interruptions; false on
// a read error.
bool ReadToEnd(int fd, std::string& bytes);

}  // namespace trel
