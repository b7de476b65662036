#include "window/graphpage/GraphPage.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <utility>

#include "engine/GlobalFuncts.h"
#include "framework/EditField.h"
#include "framework/GroupBox.h"
#include "framework/Listbox.h"
#include "framework/Maths.h"
#include "framework/PopupMenu.h"
#include "framework/Printer.h"
#include "framework/RadioButton.h"
#include "framework/Slider.h"
#include "framework/Text.h"
#include "graph/Graph.h"
#include "graph/GraphError.h"
#include "graph/SSRect.h"
#include "window/MainWndo.h"
#include "window/graphpage/LabelSheet.h"
#include "window/graphpage/UnitsSheet.h"
#include "window/table/ClearLimitsAction.h"
#include "window/table/EditLabelAction.h"

namespace {

constexpr int kRows = 99;
constexpr int kTeams = 100;

bool IsUnitless(const std::string& units) {
  return fw::TextEquals(units, "none") || fw::TextEquals(units, "(none)");
}

// The units of a calculated quantity whose formula has a recognised shape; false for any other.
bool ShapeUnits(const std::string& formula, const std::string& name, const std::string& units,
                std::string& result) {
  if (fw::TextEquals(formula, "ln(" + name + ")")) {
    result = "ln(" + units + ")";
  } else if (fw::TextEquals(formula, name + "*" + name)) {
    result = units + "^2^";
  } else if (fw::TextEquals(formula, "1/" + name)) {
    result = units + "^-1^";
  } else if (fw::TextEquals(formula, "sqrt(" + name + ")")) {
    result = units + "^1/2^";
  } else {
    return false;
  }
  return true;
}

constexpr const char* kSameHorizontal =
    "Can't Fit: The data points must have at least two different horizontal values.";
constexpr const char* kTooLarge = "Can't Fit: The values are too large to fit a line.";

// A root of a quantity that rounding may take just below zero.
double RootOf(double x) { return fw::Sqrt(fw::Max(0.0, x)); }

// The mean of n values given as the first one and the sum of their differences from it, so
// that equal values give exactly their value and a far offset costs no digits.
double MeanAbout(double first, double differences, int n) { return first + differences / n; }

// The sample standard deviation of sets 1..100, summed about their mean.
double SpreadOf(const double (&values)[101]) {
  double d = 0;
  for (int i = 1; i <= kTeams; ++i) d += values[i] - values[1];
  const double mean = MeanAbout(values[1], d, kTeams);
  double ss = 0;
  for (int i = 1; i <= kTeams; ++i) ss += (values[i] - mean) * (values[i] - mean);
  return RootOf(ss / (kTeams - 1));
}

}  // namespace

GraphPage::GraphPage(MainWndo& window) : w(window) {}

// ---- Labels and units ----

bool GraphPage::SetGraphLabelsOK() {
  if (w.GotGraph) return true;
  w.GrfTeam = w.EFNames->Text();
  const std::string hUnits = w.EFHUnits->Text();
  const std::string vUnits = w.EFVUnits->Text();
  bool hUnitless = IsUnitless(hUnits);
  bool vUnitless = IsUnitless(vUnits);
  const bool hCalculated = w.RBHCalculated->Value() && w.CalcOK[1];
  const bool vCalculated = w.RBVCalculated->Value() && w.CalcOK[3];
  bool hNeeds = hCalculated && !hUnitless;
  bool vNeeds = vCalculated && !vUnitless;
  w.GrfXUnits = (hUnitless || hNeeds) ? "" : hUnits;
  w.GrfYUnits = (vUnitless || vNeeds) ? "" : vUnits;
  const std::string xName = hCalculated ? w.EFHFormula->Text() : w.EFHName->Text();
  const std::string yName = vCalculated ? w.EFVFormula->Text() : w.EFVName->Text();
  if (hNeeds && ShapeUnits(xName, w.EFHName->Text(), hUnits, w.GrfXUnits)) hNeeds = false;
  if (vNeeds && ShapeUnits(yName, w.EFVName->Text(), vUnits, w.GrfYUnits)) vNeeds = false;

  if (hNeeds || vNeeds) {
    class UnitsSheet& dialog = UnitsSheet();
    dialog.InitCalcUnits(hNeeds, vNeeds);
    dialog.ShowModalWithin(w);
    if (!dialog.GotCalcUnits(w.GrfXUnits, w.GrfYUnits)) return false;
    if (IsUnitless(w.GrfXUnits)) {
      w.GrfXUnits = "";
      hUnitless = true;
    }
    if (IsUnitless(w.GrfYUnits)) {
      w.GrfYUnits = "";
      vUnitless = true;
    }
  }

  w.GrfXLabel = hUnitless ? xName + " (unitless)" : xName + " in " + w.GrfXUnits;
  w.GrfYLabel = vUnitless ? yName + "|(unit-|less)" : yName + "|in|" + w.GrfYUnits;
  w.GrfTitle = "!Graph of " + yName + " vs. " + xName + "!";
  // A fit outlives a change of the units on the "Names" page; its box follows them.
  if (w.HaveFit) zFitUnits();
  w.EFHMin->SetText("");
  w.EFHMax->SetText("");
  w.EFVMin->SetText("");
  w.EFVMax->SetText("");
  return true;
}

// ---- Drawing ----

bool GraphPage::FoundMinMax(double& xmin, double& xmax, double& ymin, double& ymax) {
  const int team = w.SDDatGrfd->Value();
  const std::int32_t p1 = w.Table.Displayed(1, team);
  const std::int32_t p2 = w.Table.Displayed(2, team);
  const std::int32_t p3 = w.Table.Displayed(3, team);
  const std::int32_t p4 = w.Table.Displayed(4, team);
  int n = 0;
  double x0 = 0, x1 = 0, y0 = 0, y1 = 0;
  if (p1 >= 0 && p3 >= 0) {
    for (int row = 0; row < kRows; ++row) {
      if (!w.CellFull[row][1] || !w.CellFull[row][3]) continue;
      const double x = w.Data[p1][row][1];
      const double y = w.Data[p3][row][3];
      const double ux = (w.CellFull[row][2] && p2 >= 0) ? w.Data[p2][row][2] : 0.0;
      const double uy = (w.CellFull[row][4] && p4 >= 0) ? w.Data[p4][row][4] : 0.0;
      if (n == 0) {
        x0 = x - ux;
        x1 = x + ux;
        y0 = y - uy;
        y1 = y + uy;
      } else {
        x0 = fw::Min(x0, x - ux);
        x1 = fw::Max(x1, x + ux);
        y0 = fw::Min(y0, y - uy);
        y1 = fw::Max(y1, y + uy);
      }
      ++n;
    }
  }
  if (n < 2) {
    w.CallWarnDialog("Can't Graph: Must have at least two valid displayed data points.");
    return false;
  }
  if ((x0 == 0 && x1 == 0) || (y0 == 0 && y1 == 0) || fw::Abs(x1 - x0) / fw::Abs(x1 + x0) < 1e-10 ||
      fw::Abs(y1 - y0) / fw::Abs(y1 + y0) < 1e-10) {
    w.CallWarnDialog("Can't Graph: Maximum value = minimum value on at least one axis");
    return false;
  }
  xmin = x0;
  xmax = x1;
  ymin = y0;
  ymax = y1;
  return true;
}

bool GraphPage::DrewGraphOK() {
  double xmin = 0, xmax = 0, ymin = 0, ymax = 0;
  if (!FoundMinMax(xmin, xmax, ymin, ymax)) return false;
  if (!w.EFHMin->Text().empty()) xmin = fw::CDbl(w.EFHMin->Text());
  if (!w.EFHMax->Text().empty()) xmax = fw::CDbl(w.EFHMax->Text());
  if (!w.EFVMin->Text().empty()) ymin = fw::CDbl(w.EFVMin->Text());
  if (!w.EFVMax->Text().empty()) ymax = fw::CDbl(w.EFVMax->Text());
  try {
    zDraw(xmin, xmax, ymin, ymax);
  } catch (const GraphError& e) {
    // Typed limits can refuse the graph; the page stays reachable so that they can be corrected.
    w.CallWarnDialog(e.msg);
    return true;
  }
  w.GotGraph = true;
  return true;
}

void GraphPage::zDraw(double xmin, double xmax, double ymin, double ymax) {
  Graph& g = *w.dGraph;
  g.SetTitle("#14#" + w.GrfTitle);
  g.SetXLabel(w.GrfXLabel);
  g.SetYLabel(w.GrfYLabel);
  g.DefineGraph(xmin, xmax, ymin, ymax);
  g.GetContent();
  if (w.HaveFit) {
    DrawBestFit(w.SDDatGrfd->Value());
    g.UpdateScreen();
    SetSlopeInfo();
  }
  SSRect& team = *w.SSTeam;
  if (!team.DeFlowered) {
    team.SetLeft(g.Left() + g.GLeft + 10);
    team.SetTop(g.Top() + g.GTop + 10);
    team.DeFlowered = true;
  }
  const int value = w.SDDatGrfd->Value();
  team.SetText(value == 1 ? "!Data taken by:!|" + w.GrfTeam
                          : "!Data taken by:!|Ficticious Team &#" + fw::Str(value));
  w.ProtectChange = true;
  w.EFHMin->SetText(fw::Str(g.XMin));
  w.EFHMax->SetText(fw::Str(g.XMax));
  w.EFVMin->SetText(fw::Str(g.YMin));
  w.EFVMax->SetText(fw::Str(g.YMax));
  w.ProtectChange = false;
}

void GraphPage::dGraph_DrawContent() {
  const int team = w.SDDatGrfd->Value();
  const std::int32_t p1 = w.Table.Displayed(1, team);
  const std::int32_t p2 = w.Table.Displayed(2, team);
  const std::int32_t p3 = w.Table.Displayed(3, team);
  const std::int32_t p4 = w.Table.Displayed(4, team);
  if (p1 < 0 || p3 < 0) return;
  Graph& g = *w.dGraph;
  for (int row = 0; row < kRows; ++row) {
    if (!w.CellFull[row][1] || !w.CellFull[row][3]) continue;
    const double x = w.Data[p1][row][1];
    const double y = w.Data[p3][row][3];
    g.DrawPoint(x, y);
    if (w.CellFull[row][2] && p2 >= 0) {
      const double u = w.Data[p2][row][2];
      g.DrawXUBar(x, y, u, u);
    }
    if (w.CellFull[row][4] && p4 >= 0) {
      const double u = w.Data[p4][row][4];
      g.DrawYUBar(x, y, u, u);
    }
  }
}

std::int32_t GraphPage::dGraph_DepthQuery() { return 32; }

// ---- Fictitious teams and the fit ----

void GraphPage::CalcTeamData() {
  std::int32_t p[5] = {0, 0, 0, 0, 0};
  for (int k = 1; k <= 4; ++k) p[k] = w.Table.Displayed(k, 1);
  for (int row = 0; row < kRows; ++row) {
    for (int col = 1; col <= 3; col += 2) {
      // A column without a valid calculation has nothing to draw teams from.
      if (!w.CellFull[row][col] || p[col] < 0) continue;
      const double v = w.Data[p[col]][row][col];
      if (w.CellFull[row][col + 1] && p[col + 1] >= 0) {
        const double u = w.Data[p[col + 1]][row][col + 1];
        const double s = u / 1.96;
        for (int team = 2; team <= kTeams; ++team) {
          w.Data[team][row][col] = v + GlobalFuncts::RndDev() * s;
          w.Data[team][row][col + 1] = u;
        }
      } else {
        for (int team = 2; team <= kTeams; ++team) {
          w.Data[team][row][col] = v;
          w.Data[team][row][col + 1] = 0.0;
        }
      }
    }
  }
}

GraphPage::Moments GraphPage::zMoments(std::int32_t xSet, std::int32_t ySet) const {
  Moments m;
  if (xSet < 0 || ySet < 0) return m;
  double x0 = 0, y0 = 0, dxSum = 0, dySum = 0;
  for (int row = 0; row < kRows; ++row) {
    if (!w.CellFull[row][1] || !w.CellFull[row][3]) continue;
    const double x = w.Data[xSet][row][1];
    const double y = w.Data[ySet][row][3];
    if (m.n == 0) {
      x0 = x;
      y0 = y;
    }
    ++m.n;
    dxSum += x - x0;
    dySum += y - y0;
  }
  if (m.n == 0) return m;
  m.xMean = MeanAbout(x0, dxSum, m.n);
  m.yMean = MeanAbout(y0, dySum, m.n);
  for (int row = 0; row < kRows; ++row) {
    if (!w.CellFull[row][1] || !w.CellFull[row][3]) continue;
    const double x = w.Data[xSet][row][1];
    const double y = w.Data[ySet][row][3];
    const double dx = x - m.xMean;
    m.sxx += dx * dx;
    m.sxy += dx * (y - m.yMean);
    m.xx += x * x;
  }
  return m;
}

bool GraphPage::zSpreadOK(const Moments& m) {
  // Horizontal values that differ only by rounding spread about their mean at the level of
  // their last digits: a centred sum of squares not above 1e-24 of their sum of squares, a
  // relative spread within 1e-12. Equal values, zeros and a single row fail it as well.
  return m.n >= 2 && m.sxx > 1e-24 * m.xx;
}

bool GraphPage::CalculateSlope(std::int32_t set) {
  if (set < 0 || set > kTeams) return false;
  const Moments m = set < 2 ? zMoments(w.Table.Displayed(1, 1), w.Table.Displayed(3, 1)) : zMoments(set, set);
  if (!zSpreadOK(m)) return false;
  const double slope = m.sxy / m.sxx;
  const double intercept = m.yMean - slope * m.xMean;
  if (!std::isfinite(slope) || !std::isfinite(intercept)) return false;
  w.Slope[set] = slope;
  w.Intercept[set] = intercept;
  return true;
}

bool GraphPage::CalcFitUncert() {
  const double t = GlobalFuncts::StudentT(99);
  for (int i = 1; i <= kTeams; ++i) {
    if (!CalculateSlope(i)) return false;
  }
  double slopeUnc = t * SpreadOf(w.Slope);
  double interceptUnc = t * SpreadOf(w.Intercept);

  const std::int32_t xSet = w.Table.Displayed(1, 1);
  const std::int32_t ySet = w.Table.Displayed(3, 1);
  const Moments m = zMoments(xSet, ySet);
  if (m.n > 2) {
    const double b = w.Slope[1];
    double ssr = 0, xMax = 0, yMax = 0;
    for (int row = 0; row < kRows; ++row) {
      if (!w.CellFull[row][1] || !w.CellFull[row][3]) continue;
      const double x = w.Data[xSet][row][1];
      const double y = w.Data[ySet][row][3];
      const double e = (y - m.yMean) - b * (x - m.xMean);
      ssr += e * e;
      xMax = fw::Max(xMax, fw::Abs(x));
      yMax = fw::Max(yMax, fw::Abs(y));
    }
    if (!std::isfinite(ssr)) return false;
    // Residuals within a few units in the last place of the values they come from are
    // rounding, not scatter: decimal points typed on a line lie that far off it in binary.
    constexpr double kUlps = 8 * std::numeric_limits<double>::epsilon();
    const double rounding = kUlps * yMax + kUlps * fw::Abs(b) * xMax;
    if (fw::Sqrt(ssr / m.n) <= rounding) ssr = 0;
    const double s2 = ssr / (m.n - 2);
    const double interceptErr = RootOf(s2 * (1.0 / m.n + m.xMean * m.xMean / m.sxx));
    const double slopeErr = RootOf(s2 / m.sxx);
    slopeUnc = fw::Max(t * slopeErr, slopeUnc);
    interceptUnc = fw::Max(t * interceptErr, interceptUnc);
  }
  if (!std::isfinite(slopeUnc) || !std::isfinite(interceptUnc)) return false;
  w.SlopeUnc = slopeUnc;
  w.InterceptUnc = interceptUnc;
  return true;
}

bool GraphPage::MadeFitOK() {
  const Moments m = zMoments(w.Table.Displayed(1, 1), w.Table.Displayed(3, 1));
  if (!std::isfinite(m.xx) || !std::isfinite(m.sxx)) {
    FitProblem = kTooLarge;
  } else if (!zSpreadOK(m)) {
    FitProblem = kSameHorizontal;
  } else {
    CalcTeamData();
    // It fits sets 1..100 itself. Vertical values, or teams, beyond what a double holds
    // squared leave no finite result.
    FitProblem = CalcFitUncert() ? "" : kTooLarge;
  }
  if (!FitProblem.empty()) {
    KillFit();
    return false;
  }
  w.HaveFit = true;
  return true;
}

void GraphPage::zFitUnits() {
  w.InterceptUnits = w.GrfYUnits;
  if (!w.GrfYUnits.empty() && !w.GrfXUnits.empty()) {
    w.SlopeUnits = w.GrfYUnits + "/" + w.GrfXUnits;
  } else if (!w.GrfYUnits.empty()) {
    w.SlopeUnits = w.GrfYUnits;
  } else if (!w.GrfXUnits.empty()) {
    w.SlopeUnits = w.GrfXUnits + "^-1^";
  } else {
    w.SlopeUnits = "";
  }
}

void GraphPage::PBFit_Action() {
  w.LastAction = nullptr;
  w.ProtectChange = true;
  w.SDDatDspd->SetValue(1);
  w.SDDatGrfd->SetValue(1);
  w.ProtectChange = false;
  if (!MadeFitOK()) {
    w.CallWarnDialog(FitProblem);
    return;
  }
  zFitUnits();
  DrewGraphOK();
  w.SDDatDspd->SetEnabled(true);
  w.SDDatGrfd->SetEnabled(true);
}

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

// ---- Best-fit line and fit box ----

void GraphPage::DrawBestFit(std::int32_t set) {
  if (set == 0) set = 1;
  if (set < 1 || set > kTeams) return;
  const double m = w.Slope[set];
  const double b = w.Intercept[set];
  Graph& g = *w.dGraph;
  bool drawable = true;
  const auto end = [&](double x) {
    double y = m * x + b;
    bool inside = true;
    if (y > g.YMax || y < g.YMin) {
      y = y > g.YMax ? g.YMax : g.YMin;
      // A level line outside the vertical range crosses it nowhere.
      if (m == 0) inside = false;
      else x = (y - b) / m;
    }
    if (!inside || x < g.XMin || x > g.XMax) {
      w.CallWarnDialog("Trouble drawing best fit slope.");
      drawable = false;
    }
    return std::pair<double, double>(x, y);
  };
  const auto [x1, y1] = end(g.XMin);
  const auto [x2, y2] = end(g.XMax);
  if (drawable) g.DrawLine(x1, y1, x2, y2);
}

void GraphPage::SetSlopeInfo() {
  const int k = w.SDDatGrfd->Value();
  std::string sv, su, iv, iu;
  GlobalFuncts::FormatValUnc(w.Slope[k], w.SlopeUnc, sv, su);
  GlobalFuncts::FormatValUnc(w.Intercept[k], w.InterceptUnc, iv, iu);
  SSRect& box = *w.SSFitInfo;
  box.SetText("!Slope:!|" + sv + " \u00B1 " + su + " " + w.SlopeUnits + "|!Intercept:!|" + iv + " \u00B1 " +
              iu + " " + w.InterceptUnits);
  if (!box.DeFlowered) {
    box.SetLeft(w.dGraph->Left() + w.dGraph->GLeft + 10);
    box.SetTop(w.dGraph->Top() + w.dGraph->GTop + w.SSTeam->Height() + 20);
    box.DeFlowered = true;
  }
  box.SetVisible(true);
}

// ---- Page controls ----

void GraphPage::SDDatGrfd_ValueChanged() {
  if (w.ProtectChange) return;
  w.ProtectChange = true;
  w.SDDatDspd->SetValue(w.SDDatGrfd->Value());
  w.ProtectChange = false;
  DrewGraphOK();
}

void GraphPage::PBUpdate_Action() {
  w.LastAction = nullptr;
  DrewGraphOK();
}

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

void GraphPage::PBFixLabels_Action() {
  auto record = std::make_shared<EditLabelAction>(w);
  class LabelSheet& dialog = LabelSheet();
  dialog.SetFields(w.GrfTeam, w.GrfTitle, w.GrfXLabel, w.GrfYLabel, w.SlopeUnits, w.InterceptUnits);
  dialog.ShowModalWithin(w);
  if (dialog.GotResults(w.GrfTeam, w.GrfTitle, w.GrfXLabel, w.GrfYLabel, w.SlopeUnits, w.InterceptUnits)) {
    w.EFNames->SetText(w.GrfTeam);
    // An unchanged team text raises no change event: "Done" marks the document itself.
    w.Dirty = true;
    DrewGraphOK();
    w.LastAction = record;
  } else {
    w.LastAction = nullptr;
  }
}

void GraphPage::PBClearLimits_Action() {
  auto record = std::make_shared<ClearLimitsAction>(w);
  w.EFHMin->SetText("");
  w.EFHMax->SetText("");
  w.EFVMin->SetText("");
  w.EFVMax->SetText("");
  w.LastAction = record;
}

// ---- Printing ----

void GraphPage::PBPrintTable_Action() {
  w.LastAction = nullptr;
  bool cancelled = false;
  std::shared_ptr<fw::Graphics> g = fw::OpenPrinterDialog(&cancelled);
  if (!g) {
    // A student who changed their mind has met no printing problem.
    if (!cancelled) w.CallWarnDialog("Printing Problem: Graphics pointer is nill");
    return;
  }
  const auto width = [&](const std::string& s) { return fw::ToInt32(g->StringWidth(s)); };
  int widths[5] = {0, 0, 0, 0, 0};
  int lastRow = 0;
  for (int row = 0; row < kRows; ++row) {
    if (!(w.CellFull[row][1] || w.CellFull[row][2] || w.CellFull[row][3] || w.CellFull[row][4])) continue;
    lastRow = row;
    for (int c = 1; c <= 4; ++c) widths[c] = std::max(widths[c], width(w.LBData->Cell(row, c)));
  }
  const int h = g->StringHeight("TEST", 1000);
  int x[5];
  x[0] = 36 + std::max(width("99"), width("Line"));
  x[1] = x[0] + 20 + widths[1];
  x[2] = x[1] + 40 + widths[2];
  x[3] = x[2] + 40 + widths[3];
  x[4] = x[3] + 40 + widths[4];
  const int bottom = g->Height() - 72;
  int page = 1;
  int y = 36 + h;
  const auto header = [&] {
    g->DrawString("Data taken by: " + w.EFNames->Text(), 36, y);
    const std::string s = "Page " + fw::Str(page);
    g->DrawString(s, x[4] - width(s), y);
    y = fw::ToInt32(y + 1.5 * h);
    g->DrawString("Line", 36, y);
    g->DrawString(w.GBH->Caption(), x[0] + 20, y);
    g->DrawString(w.GBV->Caption(), x[2] + 40, y);
    y += h;
  };
  header();
  for (int r = 0; r <= lastRow; ++r) {
    const std::string n = fw::Str(r + 1);
    g->DrawString(n, x[0] - width(n), y);
    for (int c = 1; c <= 4; ++c) {
      std::string text;
      if (w.LastCellRow == r && w.LastCellCol == c) {
        // The editor's text may not be committed yet: print what is stored.
        if (w.CellFull[r][c]) {
          text = GlobalFuncts::Reformat(w.Data[0][r][c], c < 3 ? w.PUHFormat->ListIndex() : w.PUVFormat->ListIndex());
        }
      } else {
        text = w.LBData->Cell(r, c);
      }
      g->DrawString(text, x[c] - width(text), y);
      if (c == 1 || c == 3) g->DrawString("\u00B1", x[c] + 20, y);
    }
    y += h;
    if (y > bottom) {
      g->NextPage();
      ++page;
      y = 36 + h;
      header();
    }
  }
  if (w.LastCellCol > 0) w.LBData->EditCell(w.LastCellRow, w.LastCellCol);
}

void GraphPage::PBPrintGraph_Action() {
  w.LastAction = nullptr;
  bool cancelled = false;
  std::shared_ptr<fw::Graphics> g = fw::OpenPrinterDialog(&cancelled);
  if (!g) {
    // A student who changed their mind has met no printing problem.
    if (!cancelled) w.CallWarnDialog("Internal printing problem: Graphics object is nil");
    return;
  }
  const Graph& graph = *w.dGraph;
  if (graph.GXP) g->DrawPicture(*graph.GXP, 30, 30);
  const auto box = [&](const SSRect& r) {
    if (!r.GXP) return;
    g->DrawPicture(*r.GXP, r.Left() - graph.Left() + 30, r.Top() - graph.Top() + 30, r.Width(), r.Height(), 0, 0);
  };
  box(*w.SSTeam);
  if (w.HaveFit) box(*w.SSFitInfo);
}
