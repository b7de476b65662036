#pragma once

#include <sys/types.h>

#include <functional>
#include <string>
#include <string_view>

namespace fw {

// An open file, closed when the object goes. The checks that saving makes on the files it
// opens: their locks, their identity under a name, whole writes.
class FileDescriptor {
 public:
  FileDescriptor() = default;
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor();
  FileDescriptor(FileDescriptor&& other) noexcept;
  FileDescriptor& operator=(FileDescriptor&& other) noexcept;
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;

  int Get() const { return fd_; }
  bool IsOpen() const { return fd_ >= 0; }
  // False when closing reports an error, as a network file system reports a late write error.
  bool Close();
  // A second descriptor of the same open file, which shares its lock.
  FileDescriptor Duplicate() const;

  // Takes the exclusive lock without waiting: 0 when taken, else the error (EWOULDBLOCK when
  // another process holds it).
  int TryLock() const;
  // True when the path names this very file (a link at the path is not followed).
  bool IsNamed(const std::string& path) const;
  // Writes the whole text from the offset; mayGoOn, when given, is asked before each write
  // and stops the writing (false) when it says no.
  bool WriteAt(std::string_view text, off_t offset, const std::function<bool()>& mayGoOn = {}) const;

 private:
  int fd_ = -1;
};

}  // namespace fw
