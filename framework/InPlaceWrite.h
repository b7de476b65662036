#pragma once

#include <string>

namespace fw {

class FolderItem;
class NewFile;
class SavePlace;

// Writing a text over a file that stays the same file, with its owner, group, access list,
// attributes and other names: where a new file could not carry them all. The file is locked
// while it is written, so that two saves writing it take turns. A failure before its first
// byte is written leaves it as it was; a failure after puts the old text back.
class InPlaceWrite {
 public:
  // Writes the text over the place's file, and once that succeeded the item's codes onto it.
  // copy, where the folder allowed one, is a new file beside it that already holds the text,
  // synced: the text stays whole there while the file is written, and where the old text
  // cannot be put back after a failure the copy is kept.
  static bool Write(const SavePlace& place, const std::string& text, const FolderItem& codes, NewFile* copy);
};

}  // namespace fw
