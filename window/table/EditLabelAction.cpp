#include "window/table/EditLabelAction.h"

#include "framework/EditField.h"
#include "window/MainWndo.h"

EditLabelAction::EditLabelAction(MainWndo& window)
    : GTeam(window.GrfTeam),
      GTitle(window.GrfTitle),
      GXLabel(window.GrfXLabel),
      GSUnits(window.SlopeUnits),
      GYLabel(window.GrfYLabel),
      GIUnits(window.InterceptUnits) {
  theWndo = &window;
}

void EditLabelAction::Undo() {
  MainWndo& w = *theWndo;
  w.GrfTeam = GTeam;
  w.GrfTitle = GTitle;
  w.GrfXLabel = GXLabel;
  w.GrfYLabel = GYLabel;
  w.SlopeUnits = GSUnits;
  w.InterceptUnits = GIUnits;
  w.EFNames->SetText(GTeam);
  w.Plot.DrewGraphOK();
  w.LastAction = nullptr;
}
