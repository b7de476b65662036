#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace fw {

class FolderItem;

// Text written to a file as a whole: Close writes everything to a new file in the target's
// folder (unnamed where the file system allows it), gives it what the replaced file had
// (owner and group as far as allowed, access list, attributes, permissions), syncs it, names
// it and at once renames it into the target's place, and syncs the folder. A failure before
// the rename leaves the old file as it was and no new file; every step is checked. A stream
// released without Close writes nothing.
class TextOutputStream {
 public:
  // Nil when no file can be created in the target's place (no such folder, no permission),
  // or when the target's own permissions forbid writing it.
  // The new file takes over what superseded has, where the target replaces that file under
  // a new name; by default what the target has.
  static std::shared_ptr<TextOutputStream> Create(std::shared_ptr<FolderItem> target,
                                                  std::shared_ptr<FolderItem> superseded = nullptr);

  void Write(std::string_view text);
  void WriteLine(std::string_view text);  // text and a line feed
  // True when the whole text is in the file, lasting. Later calls return the same result.
  bool Close();

  TextOutputStream(std::shared_ptr<FolderItem> target, std::shared_ptr<FolderItem> superseded);

 private:
  std::shared_ptr<FolderItem> target_;
  std::shared_ptr<FolderItem> superseded_;
  std::string buffer_;
  bool closed_ = false;
  bool written_ = false;
};

}  // namespace fw
