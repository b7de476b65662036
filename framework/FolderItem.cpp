#include "framework/FolderItem.h"

#include <fcntl.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "framework/TextInputStream.h"
#include "framework/TextOutputStream.h"

namespace fw {

namespace {

constexpr const char* kCreatorAttr = "user.gradix.creator";
constexpr const char* kTypeAttr = "user.gradix.type";

std::string ReadAttr(const std::string& path, const char* name) {
  char value[64];
  ssize_t n = getxattr(path.c_str(), name, value, sizeof value);
  if (n <= 0) return std::string();
  return std::string(value, static_cast<std::size_t>(n));
}

// File systems without user attributes simply keep no codes.
void WriteAttr(int fd, const char* name, const std::string& value) {
  if (!value.empty()) fsetxattr(fd, name, value.data(), value.size(), 0);
}

// The absolute path. A ".." steps back from the folder that a link leads to, as the kernel
// takes it, not from the link's own folder: the path's folder is then followed through its
// links. Elsewhere the path is only tidied ("//", "/./").
std::string ItemPath(const std::string& path) {
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(path, error);
  if (error) return QDir::cleanPath(QFileInfo(QString::fromStdString(path)).absoluteFilePath()).toStdString();
  const bool stepsBack = std::any_of(absolute.begin(), absolute.end(), [](const auto& part) { return part == ".."; });
  if (stepsBack) {
    const std::filesystem::path last = absolute.filename();
    const bool lastIsStep = last.empty() || last == "." || last == "..";
    const std::filesystem::path real =
        std::filesystem::weakly_canonical(lastIsStep ? absolute : absolute.parent_path(), error);
    if (!error) return (lastIsStep ? real : real / last).string();
  }
  return QDir::cleanPath(QString::fromStdString(absolute.string())).toStdString();
}

}  // namespace

FolderItem::FolderItem(const std::string& path) : path_(ItemPath(path)) {}

std::string FolderItem::Name() const { return QFileInfo(QString::fromStdString(path_)).fileName().toStdString(); }

bool FolderItem::SetName(const std::string& name) {
  if (name.empty() || name.find('/') != std::string::npos || name == "." || name == "..") return false;
  if (name == Name()) return true;
  QFileInfo current(QString::fromStdString(path_));
  QString target = current.dir().filePath(QString::fromStdString(name));
  if (QFileInfo::exists(target) || QFileInfo(target).isSymLink()) return false;
  if (current.exists() || current.isSymLink()) {
    // The entry itself moves, a link included; another file that took the name meanwhile stays.
    const std::string from = current.filePath().toStdString();
    const std::string to = target.toStdString();
    const bool renamed = ::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0 ||
                         (errno == EINVAL && ::rename(from.c_str(), to.c_str()) == 0);  // no RENAME_NOREPLACE here
    if (!renamed) return false;
  }
  path_ = QDir::cleanPath(target).toStdString();
  return true;
}

bool FolderItem::Exists() const { return QFileInfo::exists(QString::fromStdString(path_)); }

bool FolderItem::Writable() const {
  // As opening it for writing would find: the effective user's permissions, root's included.
  return ::faccessat(AT_FDCWD, path_.c_str(), W_OK, AT_EACCESS) == 0 || errno == ENOENT;
}

bool FolderItem::Directory() const { return QFileInfo(QString::fromStdString(path_)).isDir(); }

bool FolderItem::Delete() {
  QFileInfo info(QString::fromStdString(path_));
  if (info.isDir() && !info.isSymLink()) return QDir().rmdir(info.filePath());
  if (!info.exists() && !info.isSymLink()) return false;
  return QFile::remove(info.filePath());
}

std::shared_ptr<FolderItem> FolderItem::Parent() const {
  QFileInfo info(QString::fromStdString(path_));
  if (info.isRoot()) return nullptr;
  return std::make_shared<FolderItem>(info.absolutePath().toStdString());
}

std::shared_ptr<FolderItem> FolderItem::Child(const std::string& name) const {
  return std::make_shared<FolderItem>(QDir(QString::fromStdString(path_)).filePath(QString::fromStdString(name)).toStdString());
}

std::string FolderItem::MacCreator() const { return creator_.empty() ? ReadAttr(path_, kCreatorAttr) : creator_; }

void FolderItem::SetMacCreator(const std::string& code) { creator_ = code; }

std::string FolderItem::MacType() const { return type_.empty() ? ReadAttr(path_, kTypeAttr) : type_; }

void FolderItem::SetMacType(const std::string& code) { type_ = code; }

void FolderItem::StoreCodes(int fd) const {
  WriteAttr(fd, kCreatorAttr, creator_);
  WriteAttr(fd, kTypeAttr, type_);
}

std::shared_ptr<TextOutputStream> FolderItem::CreateTextFile() {
  std::shared_ptr<FolderItem> self = weak_from_this().lock();
  if (!self) self = std::make_shared<FolderItem>(*this);  // an item not held in a shared_ptr keeps its path
  return TextOutputStream::Create(std::move(self));
}

std::shared_ptr<TextInputStream> FolderItem::OpenAsTextFile() const { return TextInputStream::Open(path_); }

}  // namespace fw
