#pragma once

#include <cstdint>

#include "framework/Window.h"

namespace fw {
class PopupMenu;
class PushButton;
class RadioButton;
class StaticText;
}  // namespace fw

// Asks how a text file's lines are laid out and which column receives them.
class ImportSheet : public fw::Window {
 public:
  ImportSheet();

  // The first target column (1..4) and the layout (1..5); both 0 after "Cancel Import".
  std::int32_t ColChoice = 0;
  std::int32_t TypeChoice = 0;

  fw::RadioButton* RBFourCol = nullptr;
  fw::StaticText* StaticText1 = nullptr;
  fw::RadioButton* RRBDatUnc = nullptr;
  fw::RadioButton* RBXY = nullptr;
  fw::RadioButton* RBOneTabs = nullptr;
  fw::RadioButton* RBOne = nullptr;
  fw::PopupMenu* PUDatUnc = nullptr;
  fw::PopupMenu* PUOneTabs = nullptr;
  fw::PopupMenu* PUOne = nullptr;
  fw::PushButton* PBCancel = nullptr;
  fw::PushButton* PBDo = nullptr;

  void Layout();
  void CreateControls();
  void _CreateControls0();
  void RBFourCol_Action();
  void RRBDatUnc_Action();
  void RBXY_Action();
  void RBOneTabs_Action();
  void RBOne_Action();
  void PUDatUnc_Change();
  void PUOneTabs_Change();
  void PUOne_Change();
  void PBCancel_Action();
  void PBDo_Action();
  void AddMenuHandlers();
  void Event_Activate();

 private:
  // Enables only the popup of the chosen layout (nil: none) and records the choice.
  void zChoose(fw::PopupMenu* popup, std::int32_t type, std::int32_t column);
};

// The shared instance, made on first use.
class ImportSheet& ImportSheet();
