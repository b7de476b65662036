#include "framework/FileDescriptor.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace fw {

FileDescriptor::~FileDescriptor() { Close(); }

FileDescriptor::FileDescriptor(FileDescriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept {
  if (this != &other) {
    Close();
    fd_ = std::exchange(other.fd_, -1);
  }
  return *this;
}

bool FileDescriptor::Close() {
  if (fd_ < 0) return true;
  return ::close(std::exchange(fd_, -1)) == 0;
}

FileDescriptor FileDescriptor::Duplicate() const {
  return FileDescriptor(fd_ < 0 ? -1 : ::fcntl(fd_, F_DUPFD_CLOEXEC, 0));
}

int FileDescriptor::TryLock() const { return ::flock(fd_, LOCK_EX | LOCK_NB) == 0 ? 0 : errno; }

bool FileDescriptor::IsNamed(const std::string& path) const {
  struct stat opened {}, named {};
  return ::fstat(fd_, &opened) == 0 && ::lstat(path.c_str(), &named) == 0 && opened.st_dev == named.st_dev &&
         opened.st_ino == named.st_ino;
}

bool FileDescriptor::WriteAt(std::string_view text, off_t offset, const std::function<bool()>& mayGoOn) const {
  while (!text.empty()) {
    if (mayGoOn && !mayGoOn()) return false;
    const ssize_t n = ::pwrite(fd_, text.data(), text.size(), offset);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = EIO;
      return false;
    }
    text.remove_prefix(static_cast<std::size_t>(n));
    offset += n;
  }
  return true;
}

}  // namespace fw
