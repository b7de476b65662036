#include "framework/TextOutputStream.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <random>

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

// Where the new file is made, and the start of the temporary names it may take there:
// "." + the replaced file's name + ".", then a random suffix.
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
  const std::size_t room = nameMax > 2 + kSuffixLength ? nameMax - 2 - kSuffixLength : 0;
  std::size_t cut = std::min(name.size(), room);
  while (cut > 0 && cut < name.size() && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
  place.stem = "." + name.substr(0, cut) + ".";
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

// The file being written. It has no name until it is whole where the file system allows
// unnamed files, so that a save killed before then leaves nothing behind; elsewhere it has
// a temporary name from the start. Its lock tells other saves that it is still being written.
struct NewFile {
  int fd = -1;
  std::string path;  // empty while the file has no name
};

bool Lock(int fd) { return ::flock(fd, LOCK_EX | LOCK_NB) == 0; }

// A new empty file in the folder; false when none can be made there.
bool CreateNewFile(const Place& place, NewFile& file) {
  file.fd = ::open(place.folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
  // Without unnamed files the file system answers one of these; any other answer is final.
  if (file.fd < 0 && errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) return false;
  for (int attempt = 0; file.fd < 0 && attempt < 100; ++attempt) {
    file.path = place.folder + "/" + place.stem + RandomSuffix();
    file.fd = ::open(file.path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (file.fd < 0 && errno != EEXIST) break;
  }
  if (file.fd < 0) {
    file.path.clear();
    return false;
  }
  // A file system without locks still saves; only the clearing of killed saves' files needs them.
  Lock(file.fd);
  return true;
}

// Gives an unnamed file its temporary name. /proc serves every user; AT_EMPTY_PATH needs a
// privilege, and is tried where /proc is missing.
bool GiveName(const Place& place, NewFile& file) {
  if (!file.path.empty()) return true;
  const std::string self = "/proc/self/fd/" + std::to_string(file.fd);
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string path = place.folder + "/" + place.stem + RandomSuffix();
    int linked = ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW);
    if (linked != 0 && errno == ENOENT) linked = ::linkat(file.fd, "", AT_FDCWD, path.c_str(), AT_EMPTY_PATH);
    if (linked == 0) {
      file.path = path;
      return true;
    }
    if (errno != EEXIST) return false;
  }
  return false;
}

// Removes the temporary files of this document that saves killed before their rename left:
// those that no living save holds locked. A folder that cannot be listed keeps them.
void RemoveLeftovers(const Place& place) {
  DIR* folder = ::opendir(place.folder.c_str());
  if (!folder) return;
  const int folderFd = ::dirfd(folder);
  while (const dirent* entry = ::readdir(folder)) {
    const std::string name = entry->d_name;
    if (!IsTemporaryName(name, place.stem)) continue;
    const int fd = ::openat(folderFd, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) continue;
    struct stat opened {}, named {};
    // Still the same file under that name once it is locked: not renamed into place meanwhile.
    if (::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) && Lock(fd) &&
        ::fstatat(folderFd, name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 && named.st_dev == opened.st_dev &&
        named.st_ino == opened.st_ino) {
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

// The new file keeps the permissions of the file that it replaces.
bool KeepPermissions(int fd, const std::string& replaced) {
  struct stat old {};
  if (::stat(replaced.c_str(), &old) != 0) return errno == ENOENT;
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

TextOutputStream::TextOutputStream(std::shared_ptr<FolderItem> target) : target_(std::move(target)) {}

std::shared_ptr<TextOutputStream> TextOutputStream::Create(std::shared_ptr<FolderItem> target) {
  // A file that its permissions protect is not replaced, though its folder would allow it.
  if (!target || target->Directory() || !target->Writable()) return nullptr;
  // The new file that Close will need can be made; nothing is replaced yet.
  NewFile probe;
  if (!CreateNewFile(PlaceOf(ReplacedFile(target->Path())), probe)) return nullptr;
  const bool closed = ::close(probe.fd) == 0;
  if ((!probe.path.empty() && ::unlink(probe.path.c_str()) != 0) || !closed) return nullptr;
  return std::make_shared<TextOutputStream>(std::move(target));
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
  RemoveLeftovers(place);
  NewFile file;
  if (!CreateNewFile(place, file)) return false;
  // Up to the rename the old file is untouched; after any failure the new file goes. It is
  // named only once it is whole and lasting, and renamed into place at once.
  bool whole = WriteAll(file.fd, text) && KeepPermissions(file.fd, place.file);
  if (whole) target_->StoreCodes(file.fd);
  whole = whole && StepAllowed(SaveStep::Sync) && ::fsync(file.fd) == 0 && GiveName(place, file);
  const bool allowed = StepAllowed(SaveStep::Close);
  whole = ::close(file.fd) == 0 && allowed && whole;
  if (!whole || !StepAllowed(SaveStep::Rename) || ::rename(file.path.c_str(), place.file.c_str()) != 0) {
    if (!file.path.empty()) ::unlink(file.path.c_str());
    return false;
  }
  written_ = SyncFolder(place.folder);
  return written_;
}

}  // namespace fw
