#pragma once

#include <sys/types.h>

#include <string>

#include "framework/FileDescriptor.h"

namespace fw {

class SavePlace;

// A new file in a save place's folder, for the text that the save writes. It has no name
// until it is whole where the file system allows unnamed files and this process can name
// them, so that a save killed before then leaves nothing behind; elsewhere it has a temporary
// name from the start. It is locked from its making until it is renamed into place or
// removed: the lock tells other saves that it is no killed save's file. A named file that is
// neither renamed into place nor kept is removed when the object goes.
class NewFile {
 public:
  explicit NewFile(SavePlace& place) : place_(place) {}
  ~NewFile();
  NewFile(const NewFile&) = delete;
  NewFile& operator=(const NewFile&) = delete;

  // An empty file with the permissions of mode, as far as the process's mask allows; false,
  // with errno set, when the folder takes no new file.
  bool Create(mode_t mode);
  int Descriptor() const { return file_.Get(); }
  bool Write(const std::string& text);
  bool Sync();
  // Gives the file its temporary name, where it has none yet.
  bool GiveName();
  // Renames the named file over the place's file. False, with errno set, when it was not: the
  // file is still there, locked.
  bool Rename();
  // The file stays under its temporary name when the object goes.
  void Keep() { kept_ = true; }

 private:
  // How a file made without a name gets one once it is whole.
  enum class Naming { FromTheStart, ThroughProc, EmptyPath };

  bool CreateUnnamed(mode_t mode);
  bool Link(const std::string& path) const;

  SavePlace& place_;
  FileDescriptor file_;
  Naming naming_ = Naming::FromTheStart;
  std::string path_;  // empty while the file has no name
  bool renamed_ = false;
  bool kept_ = false;
};

}  // namespace fw
