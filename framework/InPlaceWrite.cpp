#include "framework/InPlaceWrite.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <optional>
#include <thread>

#include "framework/FileDescriptor.h"
#include "framework/FileHookState.h"
#include "framework/FolderItem.h"
#include "framework/NewFile.h"
#include "framework/SavePlace.h"

namespace fw {

namespace {

using FileTestHooks::SaveStep;
using FileHookState::SaveStepAllowed;

// The old text is held to be put back: a file much larger than any document is not written over.
constexpr off_t kLargestOldText = off_t{64} << 20;
// Another save writes for milliseconds; a lock held far longer is some other program's.
constexpr auto kLockWait = std::chrono::seconds(10);

// The file opened for reading and writing, and locked; once locked, still the file under its
// name (not replaced meanwhile by another save). A pipe or device is never waited for.
FileDescriptor OpenLocked(const std::string& path) {
  for (int attempt = 0; attempt < 10; ++attempt) {
    FileDescriptor file(::open(path.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat status {};
    if (!file.IsOpen() || ::fstat(file.Get(), &status) != 0 || !S_ISREG(status.st_mode)) return {};
    const auto deadline = std::chrono::steady_clock::now() + kLockWait;
    int locked = file.TryLock();
    while (locked == EWOULDBLOCK && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
      locked = file.TryLock();
    }
    // Held all that time by some other program. Any other answer is a file system without
    // locks, which still saves.
    if (locked == EWOULDBLOCK) return {};
    if (file.IsNamed(path)) return file;
  }
  return {};
}

std::optional<std::string> ReadAll(const FileDescriptor& file) {
  struct stat status {};
  if (::fstat(file.Get(), &status) != 0 || status.st_size > kLargestOldText) return std::nullopt;
  std::string text;
  char chunk[65536];
  for (;;) {
    const ssize_t n = ::pread(file.Get(), chunk, sizeof chunk, static_cast<off_t>(text.size()));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 || static_cast<off_t>(text.size()) + n > kLargestOldText) return std::nullopt;
    if (n == 0) return text;
    text.append(chunk, static_cast<std::size_t>(n));
  }
}

bool Replace(const FileDescriptor& file, const std::string& text, bool stepsWatched) {
  const auto step = [stepsWatched](SaveStep s) { return !stepsWatched || SaveStepAllowed(s); };
  return file.WriteAt(text, 0, [&step] { return step(SaveStep::WriteInPlace); }) && step(SaveStep::Truncate) &&
         ::ftruncate(file.Get(), static_cast<off_t>(text.size())) == 0 && step(SaveStep::SyncInPlace) &&
         ::fsync(file.Get()) == 0;
}

}  // namespace

bool InPlaceWrite::Write(const SavePlace& place, const std::string& text, const FolderItem& codes, NewFile* copy) {
  FileDescriptor file = OpenLocked(place.File());
  if (!file.IsOpen()) return false;
  const std::optional<std::string> old = ReadAll(file);
  if (!old) return false;
  // The room a longer text needs is taken before the file is touched, where the file system can.
  if (!SaveStepAllowed(SaveStep::Reserve)) return false;
  if (!text.empty() && ::fallocate(file.Get(), FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(text.size())) != 0 &&
      errno != EOPNOTSUPP && errno != ENOSYS) {
    return false;
  }
  if (!Replace(file, text, true)) {
    if (!Replace(file, *old, false) && copy) copy->Keep();
    return false;
  }
  codes.StoreCodes(file.Get());
  if (file.Close()) return true;
  if (copy) copy->Keep();
  return false;
}

}  // namespace fw
