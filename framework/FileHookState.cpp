#include "framework/FileHookState.h"

#include <cerrno>

namespace fw::FileHookState {

State& Get() {
  static State state;
  return state;
}

bool AnswerChooser(const FileTestHooks::ChooserRequest& request, std::optional<std::string>& answer) {
  State& s = Get();
  ++s.chooserCount;
  s.lastRequest = request;
  if (!s.chooserQueue.empty()) {
    answer = s.chooserQueue.front();
    s.chooserQueue.pop_front();
    return true;
  }
  if (s.chooserAnswer) {
    answer = s.chooserAnswer(request);
    return true;
  }
  return false;
}

bool SaveStepAllowed(FileTestHooks::SaveStep step) {
  if (Get().saveWatcher) Get().saveWatcher(step);
  if (Get().failingSteps.erase(step) == 0) return true;
  errno = EIO;
  return false;
}

}  // namespace fw::FileHookState

namespace fw::FileTestHooks {

void SetChooserAnswer(ChooserAnswer answer) { FileHookState::Get().chooserAnswer = std::move(answer); }

void AnswerNextChooser(std::optional<std::string> path) {
  FileHookState::Get().chooserQueue.push_back(std::move(path));
}

void ClearChooserAnswer() {
  auto& s = FileHookState::Get();
  s.chooserQueue.clear();
  s.chooserAnswer = nullptr;
  s.chooserCount = 0;
  s.lastRequest = ChooserRequest{};
  s.lastChosenFolder.clear();
}

int ChooserCount() { return FileHookState::Get().chooserCount; }
ChooserRequest LastChooserRequest() { return FileHookState::Get().lastRequest; }

void SetPrinterAnswer(std::optional<std::string> pdfPath) {
  auto& s = FileHookState::Get();
  s.printerHooked = true;
  s.printerPdf = std::move(pdfPath);
}

void ClearPrinterAnswer() {
  auto& s = FileHookState::Get();
  s.printerHooked = false;
  s.printerPdf.reset();
  s.printerCount = 0;
}

int PrinterDialogCount() { return FileHookState::Get().printerCount; }

void FailNextSaveStep(SaveStep step) { FileHookState::Get().failingSteps.insert(step); }
void WatchSaveSteps(std::function<void(SaveStep)> watcher) { FileHookState::Get().saveWatcher = std::move(watcher); }
void ClearSaveFailures() {
  FileHookState::Get().failingSteps.clear();
  FileHookState::Get().saveWatcher = nullptr;
}

void SetResourceFolder(const std::string& folder) { FileHookState::Get().resourceFolder = folder; }

}  // namespace fw::FileTestHooks
