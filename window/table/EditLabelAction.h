#pragma once

#include <string>

#include "window/table/UndoableAction.h"

// The graph's six label strings before "Edit Graph Labels".
class EditLabelAction : public UndoableAction {
 public:
  explicit EditLabelAction(MainWndo& window);
  void Undo() override;

  std::string GTeam;
  std::string GTitle;
  std::string GXLabel;
  std::string GSUnits;
  std::string GYLabel;
  std::string GIUnits;
};
