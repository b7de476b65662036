#pragma once

#include <functional>
#include <optional>
#include <string>

// Hooks that let tests answer the file choosers and the printer dialog without showing them,
// and make saving fail where no real failure can be caused on demand.
namespace fw::FileTestHooks {

struct ChooserRequest {
  bool save = false;          // GetSaveFolderItem rather than GetOpenFolderItem
  std::string typeName;       // the file type asked for
  std::string suggestedName;  // save chooser only
  std::string startFolder;    // the folder the chooser opens in
};

// The answer is a path, or nullopt for a cancelled chooser.
using ChooserAnswer = std::function<std::optional<std::string>(const ChooserRequest&)>;

// Every chooser until ClearChooserAnswer is answered by the callback. A path answered
// counts as chosen by the user: the next chooser of a window without a file starts in its folder.
void SetChooserAnswer(ChooserAnswer answer);
// The next chooser only is answered with the path (nullopt: cancelled); answers queue up
// and are used before the callback.
void AnswerNextChooser(std::optional<std::string> path);
// Forgets the answers, the requests and the folder last chosen, as at the program's start.
void ClearChooserAnswer();
// Choosers asked for since the last ClearChooserAnswer, and the last request.
int ChooserCount();
ChooserRequest LastChooserRequest();

// Every printer dialog until ClearPrinterAnswer is accepted and prints to this PDF file,
// or (nullopt) is cancelled.
void SetPrinterAnswer(std::optional<std::string> pdfPath);
void ClearPrinterAnswer();
// Printer dialogs asked for since the last ClearPrinterAnswer.
int PrinterDialogCount();

// The steps of closing a text output stream, in their order: writing the new file, syncing
// it, closing it (where a network file system reports a late write error), renaming it over
// the target, and syncing the folder. Where the target is written in place instead: taking
// the room for the text, writing it over the target, cutting the target to its length, and
// syncing it.
enum class SaveStep { Write, Sync, Close, Rename, SyncFolder, Reserve, WriteInPlace, Truncate, SyncInPlace };
// The next time the step is taken it fails as the disk would, with EIO; once only.
void FailNextSaveStep(SaveStep step);
// The watcher is called as each step is about to be taken: a test looks at the folder then.
void WatchSaveSteps(std::function<void(SaveStep)> watcher);
// Forgets steps set to fail and not yet taken, and the watcher.
void ClearSaveFailures();

// The folder that GetResource and GetPicture read; empty restores the folder beside the executable.
void SetResourceFolder(const std::string& folder);

}  // namespace fw::FileTestHooks
