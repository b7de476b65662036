#pragma once

#include <cstdint>

class MainWndo;

// A staging copy of a window's entered table: an import parses into it, and only
// a file that fits its layout is written back.
class DCopy {
 public:
  explicit DCopy(MainWndo& w);

  // Writes the copy into the window as one undoable change and opens cell (0, col).
  void DumpData(std::int32_t col);

  // Indexed [row][column]; column 0 is never used.
  double Data[99][5] = {};
  bool Full[99][5] = {};
  MainWndo* theWndo = nullptr;
};
