#include "framework/FileChoosers.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>

#include "framework/FileHookState.h"
#include "framework/FileType.h"

namespace fw {

namespace {

std::string StartFolder(const FolderItem* document) {
  if (document) {
    if (auto parent = document->Parent()) return parent->Path();
  }
  const std::string& last = FileHookState::Get().lastChosenFolder;
  return last.empty() ? QDir::homePath().toStdString() : last;
}

std::shared_ptr<FolderItem> Chosen(const std::string& path) {
  if (path.empty()) return nullptr;
  auto item = std::make_shared<FolderItem>(path);
  if (auto parent = item->Parent()) FileHookState::Get().lastChosenFolder = parent->Path();
  return item;
}

std::shared_ptr<FolderItem> Chosen(const QFileDialog& dialog) {
  const QStringList files = dialog.selectedFiles();
  return files.isEmpty() ? nullptr : Chosen(files.first().toStdString());
}

void SetFilter(QFileDialog& dialog, const FileType* type) {
  if (type == nullptr) return;
  dialog.setNameFilter(QString::fromStdString(type->Filter()));
  auto extensions = type->ExtensionList();
  if (!extensions.empty()) dialog.setDefaultSuffix(QString::fromStdString(extensions.front()));
}

}  // namespace

std::shared_ptr<FolderItem> GetOpenFolderItem(const std::string& typeName, const FolderItem* document) {
  const std::string start = StartFolder(document);
  std::optional<std::string> answer;
  if (FileHookState::AnswerChooser({false, typeName, "", start}, answer)) return Chosen(answer.value_or(""));
  QFileDialog dialog(QApplication::activeWindow(), QString(), QString::fromStdString(start));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  SetFilter(dialog, FileType::Find(typeName));
  if (dialog.exec() != QDialog::Accepted) return nullptr;
  return Chosen(dialog);
}

std::shared_ptr<FolderItem> GetSaveFolderItem(const std::string& typeName, const std::string& suggestedName,
                                              const FolderItem* document) {
  const std::string start = StartFolder(document);
  std::optional<std::string> answer;
  if (FileHookState::AnswerChooser({true, typeName, suggestedName, start}, answer)) {
    return Chosen(answer.value_or(""));
  }
  QFileDialog dialog(QApplication::activeWindow(), QString(), QString::fromStdString(start));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  SetFilter(dialog, FileType::Find(typeName));
  if (!suggestedName.empty()) dialog.selectFile(QString::fromStdString(suggestedName));
  if (dialog.exec() != QDialog::Accepted) return nullptr;
  return Chosen(dialog);
}

}  // namespace fw
