#pragma once

#include <cstdint>
#include <string>
#include <vector>

class DCopy;
class MainWndo;

namespace fw {
class TextInputStream;
}

// A document window's file: writing and reading the document, the question
// before closing, and the text import.
class DocumentFile {
 public:
  explicit DocumentFile(MainWndo& window);

  // Writes the document to the window's myFile, named after the window's title.
  void DoSave();
  static std::string B2S(bool b);
  static bool S2B(const std::string& s);
  // Reads the window's myFile into the window, which is new and empty.
  void DoRead();
  // Asks whether to save before closing: 0 "Cancel", 1 "Don't Save", 2 "Save".
  std::int32_t CheckForSaveReq();
  // Whether the window may close, asking to save unsaved changes.
  bool CloseOK();
  // Imports a plain-text file into the table as one undoable change.
  void ReadImported();

  // Lines in a document file.
  static constexpr int kLines = 527;

 private:
  std::vector<std::string> zDocumentLines() const;
  static bool zLinesOK(const std::vector<std::string>& lines);
  void zShowLines(const std::vector<std::string>& lines);
  // Shows why the window's file cannot be read, and unbinds the window from it.
  void zRefuseFile(const char* message);
  // Takes a value typed into the open cell, not yet committed, into the table.
  void zKeepTypedCell();
  // False when a line does not fit the layout.
  static bool zReadLayout(DCopy& copy, fw::TextInputStream& in, std::int32_t type, std::int32_t col);

  MainWndo& w;
};
