#pragma once

#include <string>
#include <vector>

namespace fw {

// A file type the application knows by name; the file choosers find it by that name
// and offer its extensions. A FileType is known from its creation to its destruction.
class FileType {
 public:
  FileType();
  ~FileType();
  FileType(const FileType&) = delete;
  FileType& operator=(const FileType&) = delete;

  const std::string& Name() const { return name_; }
  void SetName(const std::string& name) { name_ = name; }
  // Extensions separated by ";", each with its dot: ".asc;.txt".
  const std::string& Extensions() const { return extensions_; }
  void SetExtensions(const std::string& extensions) { extensions_ = extensions; }
  const std::string& MacType() const { return macType_; }
  void SetMacType(const std::string& code) { macType_ = code; }
  const std::string& MacCreator() const { return macCreator_; }
  void SetMacCreator(const std::string& code) { macCreator_ = code; }

  // The extensions without their dots, in order; empty parts are skipped.
  std::vector<std::string> ExtensionList() const;
  // A file-dialog filter such as "GradixData (*.gdx)"; "(*)" when there are no extensions.
  std::string Filter() const;

  // The most recently created type of that name still alive, or nil.
  static const FileType* Find(const std::string& name);

 private:
  std::string name_;
  std::string extensions_;
  std::string macType_;
  std::string macCreator_;
};

}  // namespace fw
