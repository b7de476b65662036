#include "framework/SaveLeftovers.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#include <string>

#include "framework/FileDescriptor.h"
#include "framework/SavePlace.h"

namespace fw {

namespace {

struct CloseFolder {
  void operator()(DIR* folder) const { ::closedir(folder); }
};

bool IsOwnLeftover(const struct stat& status) {
  return S_ISREG(status.st_mode) && status.st_uid == ::geteuid() && status.st_nlink == 1;
}

}  // namespace

void SaveLeftovers::Remove(const SavePlace& place) {
  const std::unique_ptr<DIR, CloseFolder> folder(::opendir(place.Folder().c_str()));
  if (!folder) return;
  while (const dirent* entry = ::readdir(folder.get())) {
    const std::string name = entry->d_name;
    if (!place.IsTemporaryName(name)) continue;
    const std::string path = place.Folder() + "/" + name;
    // Looked at before it is opened, so that no device or pipe is ever opened.
    struct stat named {}, opened {};
    if (::lstat(path.c_str(), &named) != 0 || !IsOwnLeftover(named)) continue;
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    // Still the same file under that name once it is locked: not renamed into place meanwhile.
    if (file.IsOpen() && ::fstat(file.Get(), &opened) == 0 && IsOwnLeftover(opened) && file.TryLock() == 0 &&
        file.IsNamed(path)) {
      ::unlink(path.c_str());
    }
  }
}

}  // namespace fw
