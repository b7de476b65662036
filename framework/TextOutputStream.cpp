#include "framework/TextOutputStream.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <optional>
#include <random>
#include <string_view>
#include <vector>

#include "framework/FileHookState.h"
#include "framework/FolderItem.h"

namespace fw {

namespace {

using FileTestHooks::SaveStep;

// False, with errno set as a failing disk sets it, when a test made this step fail.
bool StepAllowed(SaveStep step) {
  if (!FileHookState::SaveStepFails(step)) return true;
  errno = EIO;
  return false;
}

// The file that a save replaces: a symbolic link stays a link, and the file it leads to is replaced.
QFileInfo ReplacedFile(const std::string& path) {
  QFileInfo info(QString::fromStdString(path));
  for (int depth = 0; depth < 64 && info.isSymLink(); ++depth) info.setFile(info.symLinkTarget());
  return info.isSymLink() ? QFileInfo(QString::fromStdString(path)) : info;
}

constexpr char kSuffixLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::size_t kSuffixLength = 8;
// Marks the temporary names as this program's own, so that no other program's file is
// taken for a killed save's.
constexpr std::string_view kMark = "gradix-save-";

// Where the new file is made, and the start of the temporary names it may take there:
// "." + the replaced file's name + "." + the mark, then a random suffix.
struct Place {
  std::string folder;
  std::string file;  // the path that the new file is renamed to
  std::string stem;
};

// The replaced file's name is cut, at a letter's boundary, so that a temporary name is never
// longer than the folder's file system takes: any name it takes can be saved.
Place PlaceOf(const QFileInfo& replaced) {
  Place place{replaced.absolutePath().toStdString(), replaced.absoluteFilePath().toStdString(), ""};
  const std::string name = replaced.fileName().toStdString();
  const long limit = ::pathconf(place.folder.c_str(), _PC_NAME_MAX);
  const std::size_t nameMax = limit > 0 ? static_cast<std::size_t>(limit) : 255;
  const std::size_t added = 2 + kMark.size() + kSuffixLength;
  const std::size_t room = nameMax > added ? nameMax - added : 0;
  std::size_t cut = std::min(name.size(), room);
  while (cut > 0 && cut < name.size() && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
  place.stem = "." + name.substr(0, cut) + "." + std::string(kMark);
  return place;
}

std::string RandomSuffix() {
  static std::random_device random;
  std::string suffix;
  for (std::size_t i = 0; i < kSuffixLength; ++i) suffix += kSuffixLetters[random() % (sizeof kSuffixLetters - 1)];
  return suffix;
}

bool IsTemporaryName(const std::string& name, const std::string& stem) {
  if (name.size() != stem.size() + kSuffixLength || name.compare(0, stem.size(), stem) != 0) return false;
  return std::all_of(name.begin() + static_cast<std::ptrdiff_t>(stem.size()), name.end(),
                     [](char c) { return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); });
}

// How a file made without a name gets one once it is whole.
enum class Naming { FromTheStart, ThroughProc, EmptyPath };

// The file being written. It has no name until it is whole where the file system allows
// unnamed files and one can be given, so that a save killed before then leaves nothing
// behind; elsewhere it has a temporary name from the start. It is locked from before it has
// a name until it has been renamed into place: the lock tells other saves that it is no
// killed save's file.
struct NewFile {
  int fd = -1;
  Naming naming = Naming::FromTheStart;
  std::string path;  // empty while the file has no name
};

// 0 when locked; EWOULDBLOCK when another process holds the lock.
int Lock(int fd) { return ::flock(fd, LOCK_EX | LOCK_NB) == 0 ? 0 : errno; }

bool SameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// How an unnamed file can be named, decided before anything is written into it. /proc serves
// every user; AT_EMPTY_PATH needs a privilege on older kernels. Each is asked by linking the
// file to the folder's own path: the source is looked up, and refused, before the target is
// found to exist, so EEXIST says the link would be made, and nothing is created.
std::optional<Naming> NamingOf(const std::string& folder, int fd) {
  const std::string self = "/proc/self/fd/" + std::to_string(fd);
  if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, folder.c_str(), AT_SYMLINK_FOLLOW) != 0 && errno == EEXIST) {
    return Naming::ThroughProc;
  }
  if (::linkat(fd, "", AT_FDCWD, folder.c_str(), AT_EMPTY_PATH) != 0 && errno == EEXIST) return Naming::EmptyPath;
  return std::nullopt;
}

// An unnamed file, or none where the file system has no unnamed files or this process cannot
// name them; false only when the folder refuses new files.
bool CreateUnnamedFile(const Place& place, mode_t mode, NewFile& file) {
  file.fd = ::open(place.folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
  if (file.fd < 0) return errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL;
  const std::optional<Naming> naming = NamingOf(place.folder, file.fd);
  if (!naming) {
    ::close(file.fd);
    file.fd = -1;
    return true;
  }
  file.naming = *naming;
  // A file system without locks still saves: a file there is never taken for a killed save's.
  Lock(file.fd);
  return true;
}

// A new empty file in the folder, locked, for the owner alone unless mode says otherwise;
// false when none can be made there.
bool CreateNewFile(const Place& place, mode_t mode, NewFile& file) {
  if (!CreateUnnamedFile(place, mode, file)) return false;
  for (int attempt = 0; file.fd < 0 && attempt < 100; ++attempt) {
    file.path = place.folder + "/" + place.stem + RandomSuffix();
    file.fd = ::open(file.path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    if (file.fd < 0) {
      if (errno == EEXIST) continue;
      break;
    }
    // Between its making and its locking another save may have taken the file for a killed
    // save's: then it holds the lock, or has removed the name. Another name is tried.
    struct stat opened {}, named {};
    const int locked = Lock(file.fd);
    if (locked != EWOULDBLOCK && ::fstat(file.fd, &opened) == 0 && ::lstat(file.path.c_str(), &named) == 0 &&
        SameFile(opened, named)) {
      break;
    }
    ::close(file.fd);
    file.fd = -1;
  }
  if (file.fd < 0) {
    file.path.clear();
    return false;
  }
  return true;
}

// Gives an unnamed file its temporary name, the way decided when it was made.
bool GiveName(const Place& place, NewFile& file) {
  if (file.naming == Naming::FromTheStart) return true;
  const std::string self = "/proc/self/fd/" + std::to_string(file.fd);
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string path = place.folder + "/" + place.stem + RandomSuffix();
    const int linked = file.naming == Naming::ThroughProc
                           ? ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW)
                           : ::linkat(file.fd, "", AT_FDCWD, path.c_str(), AT_EMPTY_PATH);
    if (linked == 0) {
      file.path = path;
      return true;
    }
    if (errno != EEXIST) return false;
  }
  return false;
}

// Removes the temporary files of this document that saves killed before their rename left:
// those with this program's mark in their name, owned by the user saving, with no other
// name, and held locked by no living save. Every other file stays. A folder that cannot be
// listed keeps them.
void RemoveLeftovers(const Place& place) {
  DIR* folder = ::opendir(place.folder.c_str());
  if (!folder) return;
  const int folderFd = ::dirfd(folder);
  while (const dirent* entry = ::readdir(folder)) {
    const std::string name = entry->d_name;
    if (!IsTemporaryName(name, place.stem)) continue;
    const auto isOwn = [](const struct stat& st) {
      return S_ISREG(st.st_mode) && st.st_uid == ::geteuid() && st.st_nlink == 1;
    };
    struct stat named {}, opened {};
    if (::fstatat(folderFd, name.c_str(), &named, AT_SYMLINK_NOFOLLOW) != 0 || !isOwn(named)) continue;
    const int fd = ::openat(folderFd, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) continue;
    // Still the same file under that name once it is locked: not renamed into place meanwhile.
    if (::fstat(fd, &opened) == 0 && isOwn(opened) && Lock(fd) == 0 &&
        ::fstatat(folderFd, name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 && SameFile(opened, named)) {
      ::unlinkat(folderFd, name.c_str(), 0);
    }
    ::close(fd);
  }
  ::closedir(folder);
}

bool WriteAll(int fd, const std::string& text) {
  const char* data = text.data();
  std::size_t left = text.size();
  while (left > 0) {
    if (!StepAllowed(SaveStep::Write)) return false;
    const ssize_t n = ::write(fd, data, left);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    left -= static_cast<std::size_t>(n);
  }
  return true;
}

constexpr const char* kAccessList = "system.posix_acl_access";

// The names of the file's extended attributes; none where the file system keeps none.
std::vector<std::string> AttributeNames(const std::string& path) {
  std::vector<char> list;
  for (;;) {
    const ssize_t size = ::listxattr(path.c_str(), nullptr, 0);
    if (size <= 0) return {};
    list.resize(static_cast<std::size_t>(size));
    const ssize_t got = ::listxattr(path.c_str(), list.data(), list.size());
    if (got >= 0) {
      list.resize(static_cast<std::size_t>(got));
      break;
    }
    if (errno != ERANGE) return {};
  }
  std::vector<std::string> names;
  for (std::size_t at = 0; at < list.size();) {
    const std::string name(list.data() + at);
    if (!name.empty()) names.push_back(name);
    at += name.size() + 1;
  }
  return names;
}

std::optional<std::string> Attribute(const std::string& path, const std::string& name) {
  std::string value;
  for (;;) {
    const ssize_t size = ::getxattr(path.c_str(), name.c_str(), nullptr, 0);
    if (size < 0) return std::nullopt;
    value.resize(static_cast<std::size_t>(size));
    const ssize_t got = ::getxattr(path.c_str(), name.c_str(), value.data(), value.size());
    if (got >= 0) {
      value.resize(static_cast<std::size_t>(got));
      return value;
    }
    if (errno != ERANGE) return std::nullopt;
  }
}

// The new file takes what the file it replaces had: its owner and group as far as the user
// saving may give them (root both, the owner a group he belongs to), its extended attributes
// as far as the file system takes them, its access list without fail, and its permissions.
// The permissions come last, as a change of owner clears the set-ID bits and an access list
// sets the group's.
bool TakeOver(int fd, const struct stat& old, const std::string& path) {
  if (::fchown(fd, old.st_uid, old.st_gid) != 0 && ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0 &&
      errno != EPERM && errno != EINVAL) {
    return false;
  }
  bool accessList = false;
  for (const std::string& name : AttributeNames(path)) {
    const bool isAccessList = name == kAccessList;
    accessList = accessList || isAccessList;
    const std::optional<std::string> value = Attribute(path, name);
    const bool kept = value && ::fsetxattr(fd, name.c_str(), value->data(), value->size(), 0) == 0;
    if (isAccessList && !kept) return false;
  }
  // One that the folder's default access list gave the new file is not the old file's.
  if (!accessList && ::fremovexattr(fd, kAccessList) != 0 && errno != ENODATA && errno != EOPNOTSUPP) return false;
  return ::fchmod(fd, old.st_mode & 07777) == 0;
}

// The rename is only lasting once the folder is synced. A file system that cannot sync
// folders (EINVAL), or a folder that may be written but not read (a drop box), has nothing
// more to offer.
bool SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return errno == EACCES;
  const bool synced = StepAllowed(SaveStep::SyncFolder) && (::fsync(fd) == 0 || errno == EINVAL);
  return ::close(fd) == 0 && synced;
}

}  // namespace

TextOutputStream::TextOutputStream(std::shared_ptr<FolderItem> target, std::shared_ptr<FolderItem> superseded)
    : target_(std::move(target)), superseded_(std::move(superseded)) {}

std::shared_ptr<TextOutputStream> TextOutputStream::Create(std::shared_ptr<FolderItem> target,
                                                           std::shared_ptr<FolderItem> superseded) {
  // A file that its permissions protect is not replaced, though its folder would allow it.
  if (!target || target->Directory() || !target->Writable()) return nullptr;
  // The new file that Close will need can be made; nothing is replaced yet. The probe is
  // locked like any new file, so no other save takes it for a killed save's.
  NewFile probe;
  if (!CreateNewFile(PlaceOf(ReplacedFile(target->Path())), 0600, probe)) return nullptr;
  const bool removed = probe.path.empty() || ::unlink(probe.path.c_str()) == 0;
  if (::close(probe.fd) != 0 || !removed) return nullptr;
  return std::make_shared<TextOutputStream>(std::move(target), std::move(superseded));
}

void TextOutputStream::Write(std::string_view text) {
  if (!closed_) buffer_.append(text);
}

void TextOutputStream::WriteLine(std::string_view text) {
  Write(text);
  Write("\n");
}

bool TextOutputStream::Close() {
  if (closed_) return written_;
  closed_ = true;
  const std::string text = std::move(buffer_);
  buffer_.clear();
  const Place place = PlaceOf(ReplacedFile(target_->Path()));
  const std::string old = superseded_ ? ReplacedFile(superseded_->Path()).absoluteFilePath().toStdString() : place.file;
  struct stat oldStatus {};
  const bool replacing = ::stat(old.c_str(), &oldStatus) == 0;
  if (!replacing && errno != ENOENT) return false;
  RemoveLeftovers(place);
  // A file that replaces another is written for its owner alone, and takes the old file's
  // permissions once the text is in; a file that replaces none has its final ones at once.
  NewFile file;
  if (!CreateNewFile(place, replacing ? 0600 : 0666, file)) return false;
  // Up to the rename the old file is untouched; after any failure the new file goes. It is
  // named only once it is whole and lasting, and renamed into place at once.
  bool whole = WriteAll(file.fd, text) && (!replacing || TakeOver(file.fd, oldStatus, old));
  if (whole) target_->StoreCodes(file.fd);
  whole = whole && StepAllowed(SaveStep::Sync) && ::fsync(file.fd) == 0 && GiveName(place, file);
  // A second descriptor holds the lock until the rename, while the first is closed to hear
  // of a network file system's late write error.
  const int lockHolder = ::fcntl(file.fd, F_DUPFD_CLOEXEC, 0);
  const bool allowed = StepAllowed(SaveStep::Close);
  whole = ::close(file.fd) == 0 && allowed && lockHolder >= 0 && whole;
  const bool renamed = whole && StepAllowed(SaveStep::Rename) && ::rename(file.path.c_str(), place.file.c_str()) == 0;
  if (!renamed && !file.path.empty()) ::unlink(file.path.c_str());
  if (lockHolder >= 0) ::close(lockHolder);
  if (!renamed) return false;
  written_ = SyncFolder(place.folder);
  return written_;
}

}  // namespace fw
