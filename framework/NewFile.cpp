#include "framework/NewFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "framework/FileHookState.h"
#include "framework/SavePlace.h"

namespace fw {

namespace {

using FileTestHooks::SaveStep;
using FileHookState::SaveStepAllowed;

constexpr int kAttempts = 100;

std::string ProcPath(int fd) { return "/proc/self/fd/" + std::to_string(fd); }

}  // namespace

NewFile::~NewFile() {
  if (!path_.empty() && !renamed_ && !kept_) ::unlink(path_.c_str());
}

bool NewFile::Link(const std::string& path) const {
  return naming_ == Naming::ThroughProc
             ? ::linkat(AT_FDCWD, ProcPath(file_.Get()).c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0
             : ::linkat(file_.Get(), "", AT_FDCWD, path.c_str(), AT_EMPTY_PATH) == 0;
}

// An unnamed file, or none where the file system has no unnamed files or this process cannot
// name them; false only when the folder refuses new files. /proc names files for every user;
// AT_EMPTY_PATH needs a privilege on older kernels. Each way is asked by linking the file to
// the folder's own path: the source is looked up, and refused, before the target is found to
// exist, so EEXIST says the link would be made, and nothing is created.
bool NewFile::CreateUnnamed(mode_t mode) {
  file_ = FileDescriptor(::open(place_.Folder().c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode));
  if (!file_.IsOpen()) return errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL;
  for (const Naming naming : {Naming::ThroughProc, Naming::EmptyPath}) {
    naming_ = naming;
    if (!Link(place_.Folder()) && errno == EEXIST) {
      // A file system without locks still saves: a file there is never taken for a killed save's.
      file_.TryLock();
      return true;
    }
  }
  naming_ = Naming::FromTheStart;
  file_.Close();
  return true;
}

bool NewFile::Create(mode_t mode) {
  if (!CreateUnnamed(mode)) return false;
  for (int attempt = 0; !file_.IsOpen() && attempt < kAttempts; ++attempt) {
    const std::string path = place_.TemporaryPath();
    file_ = FileDescriptor(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode));
    if (!file_.IsOpen()) {
      if (errno == EEXIST || (errno == ENAMETOOLONG && place_.Shorten())) continue;
      return false;
    }
    // Between its making and its locking another save may have taken the file for a killed
    // save's: then it holds the lock, or has removed the name. Another name is tried.
    if (file_.TryLock() != EWOULDBLOCK && file_.IsNamed(path)) {
      path_ = path;
      return true;
    }
    file_.Close();
  }
  if (!file_.IsOpen()) errno = EEXIST;
  return file_.IsOpen();
}

bool NewFile::Write(const std::string& text) {
  return file_.WriteAt(text, 0, [] { return SaveStepAllowed(SaveStep::Write); });
}

bool NewFile::Sync() { return SaveStepAllowed(SaveStep::Sync) && ::fsync(file_.Get()) == 0; }

bool NewFile::GiveName() {
  if (!path_.empty()) return true;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    const std::string path = place_.TemporaryPath();
    if (Link(path)) {
      path_ = path;
      return true;
    }
    if (errno != EEXIST && !(errno == ENAMETOOLONG && place_.Shorten())) return false;
  }
  return false;
}

bool NewFile::Rename() {
  // A second descriptor holds the lock until the rename, while the first is closed to hear of
  // a network file system's late write error.
  FileDescriptor lockHolder = file_.Duplicate();
  const bool allowed = SaveStepAllowed(SaveStep::Close);
  const bool closed = file_.Close() && allowed && lockHolder.IsOpen();
  file_ = std::move(lockHolder);
  if (!closed) {
    errno = EIO;
    return false;
  }
  renamed_ = SaveStepAllowed(SaveStep::Rename) && ::rename(path_.c_str(), place_.File().c_str()) == 0;
  return renamed_;
}

}  // namespace fw
