#pragma once

#include <string>

#include "framework/StaticText.h"
#include "framework/Window.h"

namespace fw {
class EditField;
class PushButton;
}  // namespace fw

// Edits the graph's six styled texts at once, with a guide to the markup.
// One shared instance; the caller refills every field before each use.
class LabelSheet : public fw::Window {
 public:
  // The dialog's captions, a control array reached by name and index.
  class STLabel : public fw::StaticText {
   public:
    using fw::StaticText::StaticText;
  };

  LabelSheet();

  // The dialog was last left with "Cancel".
  bool Cancelled = false;

  fw::EditField* EFTeam = nullptr;
  fw::EditField* EFTitle = nullptr;
  fw::EditField* EFVLabel = nullptr;
  fw::EditField* EFHLabel = nullptr;
  fw::EditField* EFSlopeUnits = nullptr;
  fw::EditField* EFIntUnits = nullptr;
  fw::PushButton* PBCancel = nullptr;
  fw::PushButton* PBDone = nullptr;

  void Layout();
  void CreateControls();
  void _CreateControls0();
  void PBCancel_Action();
  void PBDone_Action();
  void AddMenuHandlers();
  void Event_Activate();
  // The six texts as edited; false (nothing touched) after "Cancel".
  bool GotResults(std::string& team, std::string& title, std::string& hLabel, std::string& vLabel,
                  std::string& slopeUnits, std::string& interceptUnits);
  void SetFields(const std::string& team, const std::string& title, const std::string& hLabel,
                 const std::string& vLabel, const std::string& slopeUnits, const std::string& interceptUnits);
};

// The one shared label dialog, made on first use.
class LabelSheet& LabelSheet();
