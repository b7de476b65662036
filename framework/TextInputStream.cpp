#include "framework/TextInputStream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QByteArrayView>
#include <QString>
#include <algorithm>
#include <cerrno>
#include <utility>

namespace fw {

namespace {

constexpr std::size_t kChunk = 64 * 1024;

std::string ValidUtf8(std::string text) {
  if (QByteArrayView(text.data(), static_cast<qsizetype>(text.size())).isValidUtf8()) return text;
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toStdString();
}

// Bytes read, 0 at the end of the file, -1 at an error.
ssize_t ReadSome(int fd, char* into, std::size_t count) {
  ssize_t n = 0;
  do {
    n = ::read(fd, into, count);
  } while (n < 0 && errno == EINTR);
  return n;
}

}  // namespace

TextInputStream::TextInputStream(FileDescriptor file) : file_(std::move(file)) {}

std::shared_ptr<TextInputStream> TextInputStream::Open(const std::string& path) {
  // Without O_NONBLOCK, opening a pipe waits until something opens it for writing.
  FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (!file.IsOpen()) return nullptr;
  struct stat status {};
  int flags = -1;
  if (::fstat(file.Get(), &status) == 0 && S_ISREG(status.st_mode)) flags = ::fcntl(file.Get(), F_GETFL);
  // Reads block as usual: a locked or remote file could answer a non-blocking read with
  // EAGAIN, which would count as a failed read.
  if (flags < 0 || ::fcntl(file.Get(), F_SETFL, flags & ~O_NONBLOCK) != 0) return nullptr;
  return std::make_shared<TextInputStream>(std::move(file));
}

void TextInputStream::SetLimits(std::size_t lineBytes, std::size_t fileBytes) {
  lineBytes_ = lineBytes;
  fileBytes_ = fileBytes;
}

void TextInputStream::Stop() {
  stopped_ = true;
  std::string().swap(buffer_);
  pos_ = 0;
}

bool TextInputStream::Fill() {
  if (stopped_ || !file_.IsOpen()) return false;
  if (pos_ > 0) {
    buffer_.erase(0, pos_);
    pos_ = 0;
  }
  const std::size_t room = std::min(fileBytes_ - taken_, kChunk);
  if (room == 0) {
    char more = 0;
    const ssize_t n = ReadSome(file_.Get(), &more, 1);
    if (n > 0) passed_ = true;
    if (n < 0) failed_ = true;
    if (n != 0) Stop();
    return false;
  }
  std::size_t old = buffer_.size();
  buffer_.resize(old + room);
  const ssize_t n = ReadSome(file_.Get(), buffer_.data() + old, room);
  if (n < 0) {
    failed_ = true;
    Stop();
    return false;
  }
  buffer_.resize(old + static_cast<std::size_t>(n));
  taken_ += static_cast<std::size_t>(n);
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
      passed_ = true;
      Stop();
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
        if (stopped_) return {};
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

void TextInputStream::Close() { file_.Close(); }

}  // namespace fw
