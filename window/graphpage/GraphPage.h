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
  // Extremes of the displayed points widened by their uncertainties; on false
  // the arguments keep their values.
  bool FoundMinMax(double& xmin, double& xmax, double& ymin, double& ymax);
  // Fills data sets 2..100 with fictitious teams drawn from the displayed data.
  void CalcTeamData();
  // Fits one set; a set below 2 fits the displayed data into that index.
  void CalculateSlope(std::int32_t set);
  // Refits sets 1..100 and sets SlopeUnc and InterceptUnc.
  void CalcFitUncert();
  // Draws the fitted line of one set (0 reads as 1).
  void DrawBestFit(std::int32_t set);
  // Fills, places on first use and shows the fit box.
  void SetSlopeInfo();
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
  struct Sums {
    double n = 0, sx = 0, sy = 0, sxy = 0, sxx = 0, syy = 0;
  };
  // Running sums over the rows with both values full, from the sets given.
  Sums zSums(std::int32_t xSet, std::int32_t ySet) const;
  void zLimitChanged();
  // Draws steps that the canvas may refuse with a GraphError.
  void zDraw(double xmin, double xmax, double ymin, double ymax);

  MainWndo& w;
};
