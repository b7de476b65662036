#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <set>
#include <string>

#include "framework/FileTestHooks.h"

// The choosers' memory of the last folder, and the state behind FileTestHooks, read by the
// choosers, the printer and the resources.
namespace fw::FileHookState {

struct State {
  std::deque<std::optional<std::string>> chooserQueue;
  FileTestHooks::ChooserAnswer chooserAnswer;
  int chooserCount = 0;
  FileTestHooks::ChooserRequest lastRequest;
  // The folder of the file last chosen in a chooser; empty before the first choice.
  std::string lastChosenFolder;

  bool printerHooked = false;
  std::optional<std::string> printerPdf;
  int printerCount = 0;

  std::string resourceFolder;

  std::set<FileTestHooks::SaveStep> failingSteps;
  std::function<void(FileTestHooks::SaveStep)> saveWatcher;
};

State& Get();

// Records the request; true when a hook answered it, with the answer in answer.
bool AnswerChooser(const FileTestHooks::ChooserRequest& request, std::optional<std::string>& answer);

// Shows the step to a test's watcher; false, once, with errno set as a failing disk sets it,
// when a test has set the step to fail.
bool SaveStepAllowed(FileTestHooks::SaveStep step);

}  // namespace fw::FileHookState
