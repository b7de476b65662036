#include "framework/TextOutputStream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <optional>

#include "framework/FileDescriptor.h"
#include "framework/FileHookState.h"
#include "framework/FileTakeOver.h"
#include "framework/FolderItem.h"
#include "framework/InPlaceWrite.h"
#include "framework/NewFile.h"
#include "framework/SaveLeftovers.h"
#include "framework/SavePlace.h"

namespace fw {

namespace {

// The rename is only lasting once the folder is synced. A file system that cannot sync
// folders (EINVAL), or a folder that may be written but not read (a drop box), has nothing
// more to offer.
bool SyncFolder(const std::string& folder) {
  FileDescriptor file(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!file.IsOpen()) return errno == EACCES;
  const bool synced = FileHookState::SaveStepAllowed(FileTestHooks::SaveStep::SyncFolder) &&
                      (::fsync(file.Get()) == 0 || errno == EINVAL);
  return file.Close() && synced;
}

// A folder that takes new files may still refuse to let one replace this file: a sticky
// folder, a file that is a mount point.
bool RenameRefused(int error) { return error == EPERM || error == EACCES || error == EBUSY || error == EXDEV; }

}  // namespace

TextOutputStream::TextOutputStream(std::shared_ptr<FolderItem> target) : target_(std::move(target)) {}

std::shared_ptr<TextOutputStream> TextOutputStream::Create(std::shared_ptr<FolderItem> target) {
  // A file that its permissions protect is not written, though its folder would allow it.
  if (!target || target->Directory() || !target->Writable()) return nullptr;
  std::optional<SavePlace> place = SavePlace::Of(target->Path());
  if (!place) return nullptr;
  // A file that exists can at least be written in place; where none does, the new file that
  // Close will need can be made. The probe is locked like any new file, so that no other
  // save takes it for a killed save's.
  struct stat status {};
  if (::lstat(place->File().c_str(), &status) == 0) {
    if (!S_ISREG(status.st_mode)) return nullptr;
  } else if (errno != ENOENT || !NewFile(*place).Create(0600)) {
    return nullptr;
  }
  return std::make_shared<TextOutputStream>(std::move(target));
}

void TextOutputStream::Write(std::string_view text) {
  if (!closed_) buffer_.append(text);
}

void TextOutputStream::WriteLine(std::string_view text) {
  Write(text);
  Write("\n");
}

bool TextOutputStream::Close() {
  if (closed_) return written_;
  closed_ = true;
  const std::string text = std::move(buffer_);
  buffer_.clear();
  written_ = Save(text);
  return written_;
}

bool TextOutputStream::Save(const std::string& text) const {
  std::optional<SavePlace> place = SavePlace::Of(target_->Path());
  if (!place) return false;
  struct stat old {};
  const bool replacing = ::lstat(place->File().c_str(), &old) == 0;
  if (!replacing && errno != ENOENT) return false;
  // Only a file's text is replaced: not a pipe's, a device's or a folder's.
  if (replacing && !S_ISREG(old.st_mode)) return false;
  SaveLeftovers::Remove(*place);
  // A file that replaces another is written for its owner alone, and takes the old file's
  // permissions once the text is in; a file that replaces none has its final ones at once.
  NewFile file(*place);
  if (!file.Create(replacing ? 0600 : 0666)) {
    // A folder that takes no new files still lets the user write a file they may write.
    return replacing && (errno == EACCES || errno == EPERM) && InPlaceWrite::Write(*place, text, *target_, nullptr);
  }
  if (!file.Write(text)) return false;
  // A new file that cannot carry all that the old one has is instead the copy of the text
  // that stays beside the old file while that is written in place.
  const bool carried = !replacing || FileTakeOver::Carry(file.Descriptor(), old, place->File());
  if (carried) target_->StoreCodes(file.Descriptor());
  if (!file.Sync() || !file.GiveName()) return false;
  if (!carried) return InPlaceWrite::Write(*place, text, *target_, &file);
  if (!file.Rename()) {
    if (!replacing || !RenameRefused(errno)) return false;
    // The copy is for the user alone again.
    return ::fchmod(file.Descriptor(), 0600) == 0 && InPlaceWrite::Write(*place, text, *target_, &file);
  }
  return SyncFolder(place->Folder());
}

}  // namespace fw
