#pragma once

#include <optional>
#include <string>

namespace fw {

// The file that a save writes, found as the kernel finds it: every link in the folder's path
// and a link in the file's place followed, ".." taken in the folder a link leads to. Beside
// it, the temporary names that the save's new file takes: "." + the file's name + "." + this
// program's mark + 8 random letters or digits, the file's name cut (at a letter's boundary)
// where the whole would pass the longest name the file system takes.
class SavePlace {
 public:
  // Nullopt where the folder cannot be reached: no such folder, no permission, a loop of links.
  static std::optional<SavePlace> Of(const std::string& path);

  const std::string& Folder() const { return folder_; }
  const std::string& File() const { return file_; }  // the folder's path and the file's name

  // A new temporary name, as a path in the folder.
  std::string TemporaryPath() const;
  // After a temporary name was refused as too long, as on file systems that take shorter names
  // than they report: later names are no longer than the file's own. False when they already were.
  bool Shorten();
  // A name that a save of this file may have given its new file.
  bool IsTemporaryName(const std::string& name) const;

 private:
  SavePlace(std::string folder, const std::string& name);

  std::string folder_;
  std::string file_;
  // The starts of the temporary names: as long as the folder's file system reports it takes,
  // and no longer than the file's own name.
  std::string stem_;
  std::string shortStem_;
  bool shortened_ = false;
};

}  // namespace fw
