#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace fw {

class FolderItem;

// Text written to a file as a whole: Close writes it into the file that the target's path
// leads to, as the kernel follows its links. A file of the target's name that a new file can
// stand in for entirely (owner and group, access list, attributes, permissions) is replaced:
// the text goes into a new file beside it, which is synced, named and at once renamed over it,
// so that the file is always the old text or the new one, whole. Where a new file cannot
// (another user's file, a group the user is not in, a folder that takes no new files or no
// rename over this one), the file is written in place and stays the same file. A failure
// leaves the old file as it was; every step is checked. A stream released without Close
// writes nothing.
class TextOutputStream {
 public:
  // Nil when no file can be written in the target's place: no such folder, a folder that
  // takes no new file where none exists yet, a target that is no regular file, or one whose
  // permissions forbid writing it.
  static std::shared_ptr<TextOutputStream> Create(std::shared_ptr<FolderItem> target);

  void Write(std::string_view text);
  void WriteLine(std::string_view text);  // text and a line feed
  // True when the whole text is in the file, lasting. Later calls return the same result.
  bool Close();

  explicit TextOutputStream(std::shared_ptr<FolderItem> target);

 private:
  bool Save(const std::string& text) const;

  std::shared_ptr<FolderItem> target_;
  std::string buffer_;
  bool closed_ = false;
  bool written_ = false;
};

}  // namespace fw
