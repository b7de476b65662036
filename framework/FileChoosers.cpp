#include "framework/FileChoosers.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>

#include "framework/FileHookState.h"
#include "framework/FileType.h"

namespace fw {

namespace {

QString& LastFolder() {
  static QString folder = QDir::homePath();
  return folder;
}

std::shared_ptr<FolderItem> Chosen(const QStringList& files) {
  if (files.isEmpty() || files.first().isEmpty()) return nullptr;
  auto item = std::make_shared<FolderItem>(files.first().toStdString());
  if (auto parent = item->Parent()) LastFolder() = QString::fromStdString(parent->Path());
  return item;
}

std::shared_ptr<FolderItem> Hooked(const std::optional<std::string>& answer) {
  if (!answer || answer->empty()) return nullptr;
  return std::make_shared<FolderItem>(*answer);
}

void SetFilter(QFileDialog& dialog, const FileType* type) {
  if (type == nullptr) return;
  dialog.setNameFilter(QString::fromStdString(type->Filter()));
  auto extensions = type->ExtensionList();
  if (!extensions.empty()) dialog.setDefaultSuffix(QString::fromStdString(extensions.front()));
}

}  // namespace

std::shared_ptr<FolderItem> GetOpenFolderItem(const std::string& typeName) {
  std::optional<std::string> answer;
  if (FileHookState::AnswerChooser({false, typeName, ""}, answer)) return Hooked(answer);
  QFileDialog dialog(QApplication::activeWindow(), QString(), LastFolder());
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  SetFilter(dialog, FileType::Find(typeName));
  if (dialog.exec() != QDialog::Accepted) return nullptr;
  return Chosen(dialog.selectedFiles());
}

std::shared_ptr<FolderItem> GetSaveFolderItem(const std::string& typeName, const std::string& suggestedName) {
  std::optional<std::string> answer;
  if (FileHookState::AnswerChooser({true, typeName, suggestedName}, answer)) return Hooked(answer);
  QFileDialog dialog(QApplication::activeWindow(), QString(), LastFolder());
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  SetFilter(dialog, FileType::Find(typeName));
  if (!suggestedName.empty()) dialog.selectFile(QString::fromStdString(suggestedName));
  if (dialog.exec() != QDialog::Accepted) return nullptr;
  return Chosen(dialog.selectedFiles());
}

}  // namespace fw
