#include "framework/TextOutputStream.h"

#include <QSaveFile>

#include "framework/FolderItem.h"

namespace fw {

TextOutputStream::TextOutputStream(std::shared_ptr<FolderItem> target) : target_(std::move(target)) {}

std::shared_ptr<TextOutputStream> TextOutputStream::Create(std::shared_ptr<FolderItem> target) {
  if (!target || target->Directory()) return nullptr;
  // Opening makes the temporary file, which is what Close will need; nothing is replaced yet.
  QSaveFile probe(QString::fromStdString(target->Path()));
  if (!probe.open(QIODevice::WriteOnly)) return nullptr;
  probe.cancelWriting();
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
  QSaveFile file(QString::fromStdString(target_->Path()));
  if (!file.open(QIODevice::WriteOnly)) return false;
  qint64 size = static_cast<qint64>(buffer_.size());
  if (file.write(buffer_.data(), size) != size) {
    file.cancelWriting();
    return false;
  }
  written_ = file.commit();
  if (written_) target_->StoreCodes();
  buffer_.clear();
  return written_;
}

}  // namespace fw
