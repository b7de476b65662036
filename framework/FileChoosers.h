#pragma once

#include <memory>
#include <string>

#include "framework/FolderItem.h"

namespace fw {

// Both choosers start in the folder of document (the file of the window that asks),
// else in the folder of the file last chosen in this run, else in the home folder.

// The open chooser, offering files of the registered type of that name (all files
// when no type has the name); nil when cancelled.
std::shared_ptr<FolderItem> GetOpenFolderItem(const std::string& typeName, const FolderItem* document = nullptr);

// The save chooser, starting with the suggested name; a name typed without an
// extension gets the type's first one. Asks before replacing a file; nil when cancelled.
std::shared_ptr<FolderItem> GetSaveFolderItem(const std::string& typeName, const std::string& suggestedName,
                                              const FolderItem* document = nullptr);

}  // namespace fw
