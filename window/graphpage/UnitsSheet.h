#pragma once

#include <string>

#include "framework/StaticText.h"
#include "framework/Window.h"

namespace fw {
class EditField;
class PushButton;
}  // namespace fw

// Asks for the units of calculated quantities whose formula does not give
// them. One shared instance; its buttons only hide it, so the typed texts
// carry over to the next use.
class UnitsSheet : public fw::Window {
 public:
  // The dialog's captions, a control array reached by name and index.
  class STLabel : public fw::StaticText {
   public:
    using fw::StaticText::StaticText;
  };

  UnitsSheet();

  // The dialog was last left with "Cancel".
  bool Cancelled = false;

  fw::StaticText* STV = nullptr;
  fw::EditField* EFV = nullptr;
  fw::StaticText* STH = nullptr;
  fw::EditField* EFH = nullptr;
  fw::PushButton* PBDone = nullptr;
  fw::PushButton* PBCancel = nullptr;

  void Layout();
  void CreateControls();
  void _CreateControls0();
  void EFV_TextChange();
  void EFH_TextChange();
  void PBDone_Action();
  void PBCancel_Action();
  void AddMenuHandlers();
  void Event_Activate();
  // Hands out the text of each shown field; false (nothing touched) after "Cancel".
  bool GotCalcUnits(std::string& hUnits, std::string& vUnits);
  // Shows the field of each axis asked for; "Done" only while every shown field holds text.
  void InitCalcUnits(bool needH, bool needV);
};

// The one shared units dialog, made on first use.
class UnitsSheet& UnitsSheet();
