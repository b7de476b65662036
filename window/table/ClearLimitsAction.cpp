#include "window/table/ClearLimitsAction.h"

#include "framework/EditField.h"
#include "window/MainWndo.h"

ClearLimitsAction::ClearLimitsAction(MainWndo& window)
    : HMax(window.EFHMax->Text()),
      HMin(window.EFHMin->Text()),
      VMax(window.EFVMax->Text()),
      VMin(window.EFVMin->Text()) {
  theWndo = &window;
}

void ClearLimitsAction::Undo() {
  MainWndo& w = *theWndo;
  w.EFHMax->SetText(HMax);
  w.EFHMin->SetText(HMin);
  w.EFVMax->SetText(VMax);
  w.EFVMin->SetText(VMin);
  w.LastAction = nullptr;
}
