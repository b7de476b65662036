#pragma once

#include <sys/stat.h>

#include <string>

namespace fw {

// What a new file takes over from the file it is to replace, so that the replacing changes
// nothing but the text: owner and group, access list, other extended attributes, permissions.
class FileTakeOver {
 public:
  // Gives the open new file what the old file (its status and path) has. False where the new
  // file cannot carry it all: an owner or group that the user may not give, an access list
  // that the file system will not take; the old file is then not to be replaced. Other
  // attributes go over as far as the file system takes them. Nothing is changed that is
  // already as it should be.
  static bool Carry(int fd, const struct stat& old, const std::string& oldPath);
};

}  // namespace fw
