#pragma once

#include <string>

#include "window/table/UndoableAction.h"

// The five "Names" fields before "Clear Names".
class ClearNamesAction : public UndoableAction {
 public:
  explicit ClearNamesAction(MainWndo& window);
  void Undo() override;

  std::string team;
  std::string HName;
  std::string HUnits;
  std::string VName;
  std::string VUnits;
};
