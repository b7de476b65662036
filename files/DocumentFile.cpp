#include "files/DocumentFile.h"

DocumentFile::DocumentFile(MainWndo& window) : w(window) {}

void DocumentFile::DoSave() {}

void DocumentFile::DoRead() {}

bool DocumentFile::CloseOK() { return true; }

void DocumentFile::ReadImported() {}
