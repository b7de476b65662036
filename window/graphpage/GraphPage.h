#pragma once

#include <cstdint>
#include <string>

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
  // Fits the displayed data and 99 new fictitious teams (CalcTeamData, CalculateSlope for
  // sets 1..100, CalcFitUncert) and sets HaveFit. False, without a fit and with FitProblem
  // saying why, when the data allow no line.
  bool MadeFitOK();
  // Fills data sets 2..100 with fictitious teams drawn from the displayed data.
  void CalcTeamData();
  // Fits one set; a set below 2 fits the displayed data into that index. False, leaving the
  // set's slope and intercept as they were, when the set has no line of finite numbers.
  bool CalculateSlope(std::int32_t set);
  // Refits sets 1..100 and sets SlopeUnc and InterceptUnc; false, leaving them as they
  // were, when a set has no line or an uncertainty is not a finite number.
  bool CalcFitUncert();
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

  // The message of the last fit that MadeFitOK refused.
  std::string FitProblem;

 private:
  // One set's rows with both values full, summed about their means.
  struct Moments {
    int n = 0;
    double xMean = 0, yMean = 0;
    double sxx = 0, sxy = 0;  // about the means
    double xx = 0;            // of the horizontal values about zero
  };
  Moments zMoments(std::int32_t xSet, std::int32_t ySet) const;
  // Whether a set's horizontal values differ beyond rounding, so that it has a line.
  static bool zSpreadOK(const Moments& m);
  // The fit box's units from the axis units.
  void zFitUnits();
  void zLimitChanged();
  // Draws steps that the canvas may refuse with a GraphError.
  void zDraw(double xmin, double xmax, double ymin, double ymax);

  MainWndo& w;
};
