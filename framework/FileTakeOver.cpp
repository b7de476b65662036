#include "framework/FileTakeOver.h"

#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <vector>

namespace fw {

namespace {

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

// Owner and group, changed only where they differ: some file systems refuse every change.
bool CarryOwner(int fd, const struct stat& old) {
  struct stat now {};
  if (::fstat(fd, &now) != 0) return false;
  if (now.st_uid == old.st_uid && now.st_gid == old.st_gid) return true;
  const uid_t owner = now.st_uid == old.st_uid ? static_cast<uid_t>(-1) : old.st_uid;
  const gid_t group = now.st_gid == old.st_gid ? static_cast<gid_t>(-1) : old.st_gid;
  return ::fchown(fd, owner, group) == 0;
}

}  // namespace

bool FileTakeOver::Carry(int fd, const struct stat& old, const std::string& oldPath) {
  if (!CarryOwner(fd, old)) return false;
  bool accessList = false;
  for (const std::string& name : AttributeNames(oldPath)) {
    const bool isAccessList = name == kAccessList;
    accessList = accessList || isAccessList;
    const std::optional<std::string> value = Attribute(oldPath, name);
    const bool kept = value && ::fsetxattr(fd, name.c_str(), value->data(), value->size(), 0) == 0;
    if (isAccessList && !kept) return false;
  }
  // One that the folder's default access list gave the new file is not the old file's.
  if (!accessList && ::fgetxattr(fd, kAccessList, nullptr, 0) >= 0 && ::fremovexattr(fd, kAccessList) != 0) {
    return false;
  }
  // Last, as a change of owner clears the set-ID bits and an access list sets the group's.
  struct stat now {};
  if (::fstat(fd, &now) != 0) return false;
  return (now.st_mode & 07777) == (old.st_mode & 07777) || ::fchmod(fd, old.st_mode & 07777) == 0;
}

}  // namespace fw
