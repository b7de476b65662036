#include "window/graphpage/GraphPage.h"

#include "framework/Slider.h"
#include "graph/SSRect.h"
#include "window/MainWndo.h"

GraphPage::GraphPage(MainWndo& window) : w(window) {}

bool GraphPage::SetGraphLabelsOK() { return true; }

bool GraphPage::DrewGraphOK() { return true; }

void GraphPage::KillFit() {
  if (!w.HaveFit) return;
  // The table's slider handler must run in full to show the entered data again.
  w.SDDatDspd->SetValue(1);
  w.SDDatDspd->SetEnabled(false);
  // A caller may itself hold the guard; it keeps it.
  const bool held = w.ProtectChange;
  w.ProtectChange = true;
  w.SDDatGrfd->SetValue(1);
  w.ProtectChange = held;
  w.SDDatGrfd->SetEnabled(false);
  w.SSFitInfo->SetVisible(false);
  w.HaveFit = false;
}

void GraphPage::PBPrintTable_Action() {}

void GraphPage::PBPrintGraph_Action() {}

void GraphPage::PBUpdate_Action() {}

void GraphPage::PBFit_Action() {}

void GraphPage::PBFixLabels_Action() {}

void GraphPage::PBClearLimits_Action() {}

void GraphPage::SDDatGrfd_ValueChanged() {}

void GraphPage::zLimitChanged() {
  if (w.ProtectChange) return;
  w.Dirty = true;
  w.LastAction = nullptr;
}

void GraphPage::EFHMin_TextChange() { zLimitChanged(); }

void GraphPage::EFHMax_TextChange() { zLimitChanged(); }

void GraphPage::EFVMin_TextChange() { zLimitChanged(); }

void GraphPage::EFVMax_TextChange() { zLimitChanged(); }

void GraphPage::SSTeam_Open() { w.SSTeam->Owner = &w; }

void GraphPage::SSFitInfo_Open() { w.SSFitInfo->Owner = &w; }

void GraphPage::dGraph_DrawContent() {}

std::int32_t GraphPage::dGraph_DepthQuery() { return 32; }
