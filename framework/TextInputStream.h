#pragma once

#include <memory>
#include <string>

class QFile;

namespace fw {

// Reads a UTF-8 text file line by line. Lines end with LF, CRLF or CR; a leading
// byte-order mark is dropped; bytes that are not UTF-8 read as U+FFFD.
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

  explicit TextInputStream(std::unique_ptr<QFile> file);

 private:
  bool Fill();  // reads more of the file into the buffer; false at its end

  std::unique_ptr<QFile> file_;
  std::string buffer_;
  std::size_t pos_ = 0;
  bool started_ = false;
};

}  // namespace fw
