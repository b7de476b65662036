#pragma once

#include <cstddef>
#include <limits>
#include <memory>
#include <string>

#include "framework/FileDescriptor.h"

namespace fw {

// Reads a UTF-8 text file line by line. Lines end with LF, CRLF or CR; a leading
// byte-order mark is dropped; bytes that are not UTF-8 read as U+FFFD.
// Limits on a line's length and on the bytes taken from the file keep a huge file from
// being read whole: the stream holds at most about one line limit and one chunk.
class TextInputStream {
 public:
  // Nil when the file cannot be opened for reading (missing, no permission) or is not a
  // regular file: a folder, a pipe, a socket or a device is refused at once, without
  // waiting for a writer or reading on for ever.
  static std::shared_ptr<TextInputStream> Open(const std::string& path);

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
  // A read that fails (a bad block on a disk, a share that went away) ends the stream as a
  // passed limit does, the line being read as "": what came before the error is not the
  // whole file, and a caller tells this from its end here.
  bool ReadFailed() const { return failed_; }

  // Takes over the file, open for reading.
  explicit TextInputStream(FileDescriptor file);

 private:
  bool Fill();  // reads more of the file into the buffer; false at its end, at the file limit or at an error
  void Stop();  // drops what is held and reads nothing more

  FileDescriptor file_;
  std::string buffer_;
  std::size_t pos_ = 0;
  bool started_ = false;
  std::size_t lineBytes_ = std::numeric_limits<std::size_t>::max();
  std::size_t fileBytes_ = std::numeric_limits<std::size_t>::max();
  std::size_t taken_ = 0;  // bytes read from the file
  bool passed_ = false;
  bool failed_ = false;
  bool stopped_ = false;  // a limit passed or a read failed
};

}  // namespace fw
