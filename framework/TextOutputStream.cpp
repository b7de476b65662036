#include "framework/TextOutputStream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFileInfo>
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

// A new empty file in the folder of the replaced file, with a name of its own; -1 when none can be made.
int CreateTemporary(const QFileInfo& replaced, std::string& path) {
  const std::string folder = replaced.absolutePath().toStdString();
  // Kept short, so that a long document name still leaves room for the suffix.
  const std::string stem = "." + replaced.fileName().left(200).toStdString() + ".";
  static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string suffix;
    for (int i = 0; i < 8; ++i) suffix += kLetters[random() % (sizeof kLetters - 1)];
    path = folder + "/" + stem + suffix;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
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
bool KeepPermissions(int fd, const QFileInfo& replaced) {
  struct stat old {};
  if (::stat(replaced.filePath().toStdString().c_str(), &old) != 0) return errno == ENOENT;
  return ::fchmod(fd, old.st_mode & 07777) == 0;
}

bool SyncAndClose(int fd) {
  const bool synced = StepAllowed(SaveStep::Sync) && ::fsync(fd) == 0;
  const bool allowed = StepAllowed(SaveStep::Close);
  const bool closed = ::close(fd) == 0 && allowed;
  return synced && closed;
}

// The rename is only lasting once the folder is synced. A file system that cannot sync
// folders (EINVAL) has nothing more to offer.
bool SyncFolder(const QFileInfo& replaced) {
  const int fd = ::open(replaced.absolutePath().toStdString().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool synced = StepAllowed(SaveStep::SyncFolder) && (::fsync(fd) == 0 || errno == EINVAL);
  return ::close(fd) == 0 && synced;
}

}  // namespace

TextOutputStream::TextOutputStream(std::shared_ptr<FolderItem> target) : target_(std::move(target)) {}

std::shared_ptr<TextOutputStream> TextOutputStream::Create(std::shared_ptr<FolderItem> target) {
  if (!target || target->Directory()) return nullptr;
  // The temporary file that Close will need can be made; nothing is replaced yet.
  std::string probe;
  const int fd = CreateTemporary(ReplacedFile(target->Path()), probe);
  if (fd < 0) return nullptr;
  const bool closed = ::close(fd) == 0;
  if (::unlink(probe.c_str()) != 0 || !closed) return nullptr;
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
  const QFileInfo replaced = ReplacedFile(target_->Path());
  std::string temporary;
  const int fd = CreateTemporary(replaced, temporary);
  if (fd < 0) return false;
  // Up to the rename the old file is untouched; after any failure the temporary file goes.
  bool whole = WriteAll(fd, text) && KeepPermissions(fd, replaced);
  if (whole) target_->StoreCodes(temporary);
  whole = SyncAndClose(fd) && whole;
  const std::string place = replaced.filePath().toStdString();
  if (!whole || !StepAllowed(SaveStep::Rename) || ::rename(temporary.c_str(), place.c_str()) != 0) {
    ::unlink(temporary.c_str());
    return false;
  }
  written_ = SyncFolder(replaced);
  return written_;
}

}  // namespace fw
