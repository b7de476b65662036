#include "framework/TextInputStream.h"

#include <QByteArrayView>
#include <QFile>
#include <QFileInfo>
#include <QString>

namespace fw {

namespace {

constexpr qint64 kChunk = 64 * 1024;

std::string ValidUtf8(std::string text) {
  if (QByteArrayView(text.data(), static_cast<qsizetype>(text.size())).isValidUtf8()) return text;
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toStdString();
}

}  // namespace

TextInputStream::TextInputStream(std::unique_ptr<QFile> file) : file_(std::move(file)) {}

TextInputStream::~TextInputStream() = default;

std::shared_ptr<TextInputStream> TextInputStream::Open(const std::string& path) {
  QString name = QString::fromStdString(path);
  if (QFileInfo(name).isDir()) return nullptr;
  auto file = std::make_unique<QFile>(name);
  if (!file->open(QIODevice::ReadOnly)) return nullptr;
  return std::make_shared<TextInputStream>(std::move(file));
}

bool TextInputStream::Fill() {
  if (!file_ || !file_->isOpen()) return false;
  if (pos_ > 0) {
    buffer_.erase(0, pos_);
    pos_ = 0;
  }
  std::size_t old = buffer_.size();
  buffer_.resize(old + kChunk);
  qint64 n = file_->read(buffer_.data() + old, kChunk);
  buffer_.resize(old + static_cast<std::size_t>(n > 0 ? n : 0));
  if (!started_) {
    if (buffer_.size() < 3 && n > 0) return true;  // too short yet to tell a byte-order mark
    started_ = true;
    if (buffer_.compare(0, 3, "\xEF\xBB\xBF") == 0) pos_ = 3;
  }
  return n > 0;
}

std::string TextInputStream::ReadLine() {
  std::size_t scanned = pos_;
  while (true) {
    std::size_t end = buffer_.find_first_of("\r\n", scanned);
    if (end != std::string::npos) {
      // A CR at the end of the buffer may be the first half of a CRLF.
      if (buffer_[end] == '\r' && end + 1 == buffer_.size()) {
        std::size_t offset = end - pos_;
        if (Fill()) {
          scanned = pos_ + offset;
          continue;
        }
        end = pos_ + offset;
      }
      std::string line = buffer_.substr(pos_, end - pos_);
      std::size_t next = end + 1;
      if (buffer_[end] == '\r' && next < buffer_.size() && buffer_[next] == '\n') ++next;
      pos_ = next;
      return ValidUtf8(std::move(line));
    }
    std::size_t offset = buffer_.size() - pos_;
    if (!Fill()) break;
    scanned = pos_ + offset;
  }
  std::string line = buffer_.substr(pos_);
  pos_ = buffer_.size();
  return ValidUtf8(std::move(line));
}

std::string TextInputStream::ReadAll() {
  while (Fill()) {
  }
  std::string rest = buffer_.substr(pos_);
  pos_ = buffer_.size();
  return ValidUtf8(std::move(rest));
}

bool TextInputStream::EndOfFile() {
  while (pos_ >= buffer_.size()) {
    if (!Fill()) return true;
  }
  return false;
}

void TextInputStream::Close() {
  if (file_) file_->close();
}

}  // namespace fw
