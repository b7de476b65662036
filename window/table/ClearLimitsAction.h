#pragma once

#include <string>

#include "window/table/UndoableAction.h"

// The four axis-limit fields before "Clear Limits".
class ClearLimitsAction : public UndoableAction {
 public:
  explicit ClearLimitsAction(MainWndo& window);
  void Undo() override;

  std::string HMax;
  std::string HMin;
  std::string VMax;
  std::string VMin;
};
