#pragma once

class MainWndo;

// A document window's file: writing and reading the document, the question
// before closing, and the text import.
class DocumentFile {
 public:
  explicit DocumentFile(MainWndo& window);

  // Writes the document to the window's myFile.
  void DoSave();
  // Reads the window's myFile into the window.
  void DoRead();
  // Whether the window may close, asking to save unsaved changes.
  bool CloseOK();
  // Imports a plain-text file into the table as one undoable change.
  void ReadImported();

 private:
  MainWndo& w;
};
