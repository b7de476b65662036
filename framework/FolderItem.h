#pragma once

#include <memory>
#include <string>

namespace fw {

class TextInputStream;
class TextOutputStream;

// A file or folder named by its path; it need not exist. Hold it in a shared_ptr:
// a text file created from it is written under the item's name at the time the
// stream is closed, so renaming the item while the stream is open is followed.
class FolderItem : public std::enable_shared_from_this<FolderItem> {
 public:
  explicit FolderItem(const std::string& path);  // a relative path is taken from the current folder

  std::string Path() const { return path_; }
  std::string Name() const;  // the last part of the path, extension included
  // Renames the file (or only the item, while no file exists); a link is renamed, not the file
  // it leads to. Refuses, changing nothing, when another file of that name exists or the
  // name holds a "/"; false then.
  bool SetName(const std::string& name);

  bool Exists() const;
  // False when the file exists and may not be written: its permissions, or a read-only file system.
  bool Writable() const;
  bool Directory() const;
  bool Delete();  // a file, or an empty folder; false when nothing was deleted
  std::shared_ptr<FolderItem> Parent() const;  // nil for the root
  std::shared_ptr<FolderItem> Child(const std::string& name) const;

  // Four-character type and creator codes, kept as extended attributes where the file
  // system allows them; otherwise they live only in this item. Codes set here go onto the
  // file with the text of the next stream that writes it, not before.
  std::string MacCreator() const;
  void SetMacCreator(const std::string& code);
  std::string MacType() const;
  void SetMacType(const std::string& code);

  // A stream that writes the file when it is closed; nil when the file cannot be written.
  std::shared_ptr<TextOutputStream> CreateTextFile();
  // Nil when the file cannot be opened for reading.
  std::shared_ptr<TextInputStream> OpenAsTextFile() const;

  // Writes the codes set on this item into the attributes of the open file: the file that
  // takes the item's place, or the item's own file once written in place.
  void StoreCodes(int fd) const;

 private:
  std::string path_;
  std::string creator_;
  std::string type_;
};

}  // namespace fw
