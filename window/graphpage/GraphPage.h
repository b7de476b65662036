#pragma once

#include <cstdint>

class MainWndo;

// The "Graph" page of a document window: drawing the displayed data, the
// fictitious teams and the linear fit, the label dialogs and printing.
class GraphPage {
 public:
  explicit GraphPage(MainWndo& window);

  // Prepares the graph's labels and units; false when the user cancelled.
  bool SetGraphLabelsOK();
  // Draws the displayed data set; false after reporting why it could not.
  bool DrewGraphOK();
  // Discards the fit: both data-set sliders back to 1 and disabled, the fit box hidden.
  void KillFit();

  void PBPrintTable_Action();
  void PBPrintGraph_Action();
  void PBUpdate_Action();
  void PBFit_Action();
  void PBFixLabels_Action();
  void PBClearLimits_Action();
  void SDDatGrfd_ValueChanged();
  void EFHMin_TextChange();
  void EFHMax_TextChange();
  void EFVMin_TextChange();
  void EFVMax_TextChange();
  void SSTeam_Open();
  void SSFitInfo_Open();
  void dGraph_DrawContent();
  std::int32_t dGraph_DepthQuery();

 private:
  void zLimitChanged();

  MainWndo& w;
};
