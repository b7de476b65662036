#pragma once

#include <cstddef>
#include <limits>
#include <memory>
#include <string>

class QFile;

namespace fw {

// Reads a UTF-8 text file line by line. Lines end with LF, CRLF or CR; a leading
// byte-order mark is dropped; bytes that are not UTF-8 read as U+FFFD.
// Limits on a line's length and on the bytes taken from the file keep a huge file from
// being read whole: the stream holds at most about one line limit and one chunk.
class TextInputStream {
 public:
  // Nil when the file cannot be opened for reading (missing, a folder, no permission).
  static std::shared_ptr<TextInputStream> Open(const std::string& path);
  ~TextInputStream();

  // The next line without its ending; "" once the end is reached.
  std::string ReadLine();
  // Everything not yet read, line endings as they stand.
  std::string ReadAll();
  bool EndOfFile();
  void Close();

  // A line longer than lineBytes (its ending not counted), or a need for more than the first
  // fileBytes bytes of the file, passes the limits: the stream then reads as ended, and the
  // line being read as "".
  void SetLimits(std::size_t lineBytes, std::size_t fileBytes);
  bool LimitPassed() const { return passed_; }

  explicit TextInputStream(std::unique_ptr<QFile> file);

 private:
  bool Fill();  // reads more of the file into the buffer; false at its end or at the file limit
  void Pass();  // a limit is passed: drops what is held and reads nothing more

  std::unique_ptr<QFile> file_;
  std::string buffer_;
  std::size_t pos_ = 0;
  bool started_ = false;
  std::size_t lineBytes_ = std::numeric_limits<std::size_t>::max();
  std::size_t fileBytes_ = std::numeric_limits<std::size_t>::max();
  std::size_t taken_ = 0;  // bytes read from the file
  bool passed_ = false;
};

}  // namespace fw
