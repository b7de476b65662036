#include "framework/TextInputStream.h"

#include <QByteArrayView>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <algorithm>

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

void TextInputStream::SetLimits(std::size_t lineBytes, std::size_t fileBytes) {
  lineBytes_ = lineBytes;
  fileBytes_ = fileBytes;
}

void TextInputStream::Pass() {
  passed_ = true;
  std::string().swap(buffer_);
  pos_ = 0;
}

bool TextInputStream::Fill() {
  if (passed_ || !file_ || !file_->isOpen()) return false;
  if (pos_ > 0) {
    buffer_.erase(0, pos_);
    pos_ = 0;
  }
  const std::size_t room = std::min(fileBytes_ - taken_, static_cast<std::size_t>(kChunk));
  if (room == 0) {
    char more = 0;
    if (file_->read(&more, 1) > 0) Pass();
    return false;
  }
  std::size_t old = buffer_.size();
  buffer_.resize(old + room);
  qint64 n = file_->read(buffer_.data() + old, static_cast<qint64>(room));
  const std::size_t got = static_cast<std::size_t>(n > 0 ? n : 0);
  buffer_.resize(old + got);
  taken_ += got;
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
    // The line so far, whether or not its end is in the buffer yet.
    if (std::min(end, buffer_.size()) - pos_ > lineBytes_) {
      Pass();
      return {};
    }
    if (end != std::string::npos) {
      // A CR at the end of the buffer may be the first half of a CRLF.
      if (buffer_[end] == '\r' && end + 1 == buffer_.size()) {
        std::size_t offset = end - pos_;
        if (Fill()) {
          scanned = pos_ + offset;
          continue;
        }
        if (passed_) return {};
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
