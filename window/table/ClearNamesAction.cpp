#include "window/table/ClearNamesAction.h"

#include "framework/EditField.h"
#include "framework/Text.h"
#include "window/MainWndo.h"

ClearNamesAction::ClearNamesAction(MainWndo& window)
    : team(window.EFNames->Text()),
      HName(window.EFHName->Text()),
      HUnits(window.EFHUnits->Text()),
      VName(window.EFVName->Text()),
      VUnits(window.EFVUnits->Text()) {
  theWndo = &window;
}

void ClearNamesAction::Undo() {
  MainWndo& w = *theWndo;
  w.EFNames->SetText(team);
  w.EFHName->SetText(HName);
  w.EFHUnits->SetText(HUnits);
  w.EFVName->SetText(VName);
  w.EFVUnits->SetText(VUnits);
  w.EFNames->SetFocus();
  w.EFNames->SetSelStart(0);
  w.EFNames->SetSelLength(fw::Len(team));
}
