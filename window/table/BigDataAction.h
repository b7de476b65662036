#pragma once

#include <string>

#include "window/table/UndoableAction.h"

// The entered table (data set 0 and which cells are full) and both formulas
// before a fill, "Clear Data" or an import.
class BigDataAction : public UndoableAction {
 public:
  explicit BigDataAction(MainWndo& window);
  void Undo() override;

  double Data[99][5] = {};
  bool CellFull[99][5] = {};
  std::string HFormula;
  std::string VFormula;
};
