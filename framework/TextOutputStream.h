#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace fw {

class FolderItem;

// Text written to a file as a whole: Close writes everything to a new file in the target's
// folder (unnamed where the file system allows it), syncs it, names it and at once renames
// it into the target's place, and syncs the folder. A failure before the rename leaves the
// old file as it was and no new file; every step is checked. A stream released without
// Close writes nothing.
class TextOutputStream {
 public:
  // Nil when no file can be created in the target's place (no such folder, no permission),
  // or when the target's own permissions forbid writing it.
  static std::shared_ptr<TextOutputStream> Create(std::shared_ptr<FolderItem> target);

  void Write(std::string_view text);
  void WriteLine(std::string_view text);  // text and a line feed
  // True when the whole text is in the file, lasting. Later calls return the same result.
  bool Close();

  explicit TextOutputStream(std::shared_ptr<FolderItem> target);

 private:
  std::shared_ptr<FolderItem> target_;
  std::string buffer_;
  bool closed_ = false;
  bool written_ = false;
};

}  // namespace fw
