#include <cmath>

#include "engine/GlobalFuncts.h"
#include "framework/PopupMenu.h"
#include "window/graphpage/GraphPageFixture.h"

namespace {

class FitTest : public GraphPageTest {
 protected:
  // Types the horizontal values of the first rows again and fits them on axes chosen afresh.
  void RefitWithHorizontal(const std::vector<std::string>& xs) {
    fw::TestHooks::ClickTab(*w->TabPanel1, MainWndo::DataPageIndex);
    for (std::size_t row = 0; row < xs.size(); ++row) Enter(static_cast<int>(row), 1, xs[row]);
    ToGraph();
    Push(*w->PBClearLimits);
    Push(*w->PBFit);
  }
};

struct Line {
  double slope;
  double intercept;
};

Line Fit(const std::vector<double>& x, const std::vector<double>& y) {
  double n = 0, sx = 0, sy = 0, sxy = 0, sxx = 0;
  for (std::size_t i = 0; i < x.size(); ++i) {
    n += 1;
    sx += x[i];
    sy += y[i];
    sxy += x[i] * y[i];
    sxx += x[i] * x[i];
  }
  const double d = n * sxx - sx * sx;
  return {(n * sxy - sx * sy) / d, (sxx * sy - sx * sxy) / d};
}

double Spread(const std::vector<double>& v) {
  double s1 = 0, s2 = 0;
  for (double a : v) {
    s1 += a;
    s2 += a * a;
  }
  return 1.984 * std::sqrt(std::max(0.0, (s2 - s1 * s1 / 100) / 99));
}

// One row of entered data; an uncertainty of 0 stands for an empty cell.
struct Point {
  double x, ux, y, uy;
};

// The uncertainties of the fictitious-team fit, drawn again from the same seed:
// per row the 99 horizontal values, then the 99 vertical ones, each around the
// entered value with a standard deviation of the uncertainty / 1.96.
Line ReplayUncertainties(const std::vector<Point>& points, std::uint64_t seed) {
  fw::SeedRnd(seed);
  std::vector<std::vector<double>> xs(101), ys(101);
  for (const Point& p : points) {
    xs[1].push_back(p.x);
    ys[1].push_back(p.y);
    for (int team = 2; team <= 100; ++team) {
      xs[team].push_back(p.ux > 0 ? p.x + GlobalFuncts::RndDev() * p.ux / 1.96 : p.x);
    }
    for (int team = 2; team <= 100; ++team) {
      ys[team].push_back(p.uy > 0 ? p.y + GlobalFuncts::RndDev() * p.uy / 1.96 : p.y);
    }
  }
  std::vector<double> slopes, intercepts;
  for (int set = 1; set <= 100; ++set) {
    const Line l = Fit(xs[set], ys[set]);
    slopes.push_back(l.slope);
    intercepts.push_back(l.intercept);
  }
  return {Spread(slopes), Spread(intercepts)};
}

TEST_F(FitTest, PointsExactlyOnALineGiveTheLineWithZeroUncertainty) {
  Row(0, "1", "", "3", "");
  Row(1, "2", "", "5", "");
  Row(2, "3", "", "7", "");
  Row(3, "4", "", "9", "");
  ToGraph();
  ASSERT_TRUE(OnGraph());
  Push(*w->PBFit);
  EXPECT_TRUE(messages.empty());
  EXPECT_TRUE(w->HaveFit);
  EXPECT_EQ(w->Slope[1], 2);
  EXPECT_EQ(w->Intercept[1], 1);
  // Without uncertainties every team is the displayed data.
  EXPECT_EQ(w->Slope[100], 2);
  EXPECT_EQ(w->SlopeUnc, 0);
  EXPECT_EQ(w->InterceptUnc, 0);
  EXPECT_EQ(w->SlopeUnits, "m/s");
  EXPECT_EQ(w->InterceptUnits, "m");
  EXPECT_TRUE(w->SSFitInfo->Visible());
  EXPECT_EQ(BoxText(*w->SSFitInfo), "!Slope:!|2.00 \u00B1 0.00 m/s|!Intercept:!|1.00 \u00B1 0.00 m");
  EXPECT_TRUE(w->SDDatGrfd->Enabled());
  EXPECT_TRUE(w->SDDatDspd->Enabled());
  EXPECT_EQ(w->LastAction, nullptr);

  // The fit box starts 10 pixels under the team box.
  Graph& g = *w->dGraph;
  EXPECT_EQ(w->SSFitInfo->Left(), g.Left() + g.GLeft + 10);
  EXPECT_EQ(w->SSFitInfo->Top(), g.Top() + g.GTop + w->SSTeam->Height() + 20);

  // The line passes through (2.5, 6) in the picture.
  EXPECT_TRUE(BlackNear(g, 2.5, 6));
  EXPECT_TRUE(fw::TestHooks::SaveScreenshot(*w, TempPath("graph-page-fit.png")));
}

TEST_F(FitTest, DecimalPointsTypedOnALineHaveNoUncertainty) {
  // y = 2.7 x + 4.7, in decimals that binary fractions hold only to their last digit.
  Row(0, "0.1", "", "4.97", "");
  Row(1, "2.9", "", "12.53", "");
  ToGraph();
  Push(*w->PBFit);
  // Two rows: the spread of 100 equal fits, which is exactly 0.
  EXPECT_EQ(w->SlopeUnc, 0);
  EXPECT_EQ(w->InterceptUnc, 0);
  EXPECT_EQ(BoxText(*w->SSFitInfo), "!Slope:!|2.70 \u00B1 0.00 m/s|!Intercept:!|4.70 \u00B1 0.00 m");

  // More rows on the line: their residuals are the rounding of the decimals, not scatter.
  fw::TestHooks::ClickTab(*w->TabPanel1, MainWndo::DataPageIndex);
  Row(2, "1.5", "", "8.75", "");
  Row(3, "0.2", "", "5.24", "");
  Row(4, "0.3", "", "5.51", "");
  ToGraph();
  Push(*w->PBFit);
  EXPECT_TRUE(messages.empty());
  EXPECT_NEAR(w->Slope[1], 2.7, 1e-14);
  EXPECT_NEAR(w->Intercept[1], 4.7, 1e-14);
  EXPECT_EQ(w->SlopeUnc, 0);
  EXPECT_EQ(w->InterceptUnc, 0);
  EXPECT_EQ(BoxText(*w->SSFitInfo), "!Slope:!|2.70 \u00B1 0.00 m/s|!Intercept:!|4.70 \u00B1 0.00 m");
}

TEST_F(FitTest, DesignedScatterGivesItsLineAndStandardErrorsAtAnyHorizontalOffset) {
  // y = 2.5 x - 1.75 + r at x = 1..5 with r = (1, -2, 0, 2, -1) / 4. The residuals sum to
  // 0 and are orthogonal to x, so the least-squares line is exactly the designed one and the
  // residual sum of squares is 10/16; with Sxx = 10 and n = 5 the standard errors follow
  // by hand. Shifting x by an offset keeps the slope and its error and moves the intercept
  // by -2.5 times the offset.
  const char* const ys[5] = {"1", "2.75", "5.75", "8.75", "10.5"};
  for (int row = 0; row < 5; ++row) Row(row, std::to_string(row + 1), "", ys[row], "");
  ToGraph();
  ASSERT_TRUE(OnGraph());
  for (long long offset : {0LL, 10000LL, 1000000LL, 100000000LL}) {
    std::vector<std::string> xs;
    for (int row = 0; row < 5; ++row) xs.push_back(std::to_string(offset + row + 1));
    RefitWithHorizontal(xs);
    ASSERT_TRUE(w->HaveFit) << offset;
    const long double s2 = 10.0L / 16 / 3;
    const long double mean = 3.0L + offset;
    const long double slopeUnc = 1.984L * std::sqrt(s2 / 10);
    const long double interceptUnc = 1.984L * std::sqrt(s2 * (1.0L / 5 + mean * mean / 10));
    const long double intercept = -1.75L - 2.5L * offset;
    const double tol = 1e-13;
    EXPECT_NEAR(w->Slope[1], 2.5, 2.5 * tol) << offset;
    EXPECT_NEAR(w->Intercept[1], static_cast<double>(intercept), std::fabs(static_cast<double>(intercept)) * tol)
        << offset;
    EXPECT_NEAR(w->SlopeUnc, static_cast<double>(slopeUnc), static_cast<double>(slopeUnc) * tol) << offset;
    EXPECT_NEAR(w->InterceptUnc, static_cast<double>(interceptUnc), static_cast<double>(interceptUnc) * tol)
        << offset;
  }
  EXPECT_TRUE(messages.empty());
}

TEST_F(FitTest, ThreeRowsWithoutUncertaintiesTakeTheClassicStandardError) {
  Row(0, "1", "", "1", "");
  Row(1, "2", "", "3", "");
  Row(2, "3", "", "2", "");
  ToGraph();
  Push(*w->PBFit);
  EXPECT_DOUBLE_EQ(w->Slope[1], 0.5);
  EXPECT_DOUBLE_EQ(w->Intercept[1], 1);
  EXPECT_NEAR(w->SlopeUnc, 1.984 * std::sqrt(0.75), 1e-12);
  EXPECT_NEAR(w->InterceptUnc, 1.984 * std::sqrt(3.5), 1e-12);
  EXPECT_EQ(BoxText(*w->SSFitInfo), "!Slope:!|+0.5 \u00B1 1.7 m/s|!Intercept:!|+1.0 \u00B1 3.7 m");
}

TEST_F(FitTest, TwoRowsUseOnlyTheSpreadOfTheTeams) {
  Row(0, "1", "0.1", "2", "0.2");
  Row(1, "3", "", "5", "0.4");
  ToGraph();
  fw::SeedRnd(77);
  Push(*w->PBFit);
  const Line expected = ReplayUncertainties({{1, 0.1, 2, 0.2}, {3, 0, 5, 0.4}}, 77);
  EXPECT_GT(w->SlopeUnc, 0);
  EXPECT_NEAR(w->SlopeUnc, expected.slope, 1e-12);
  EXPECT_NEAR(w->InterceptUnc, expected.intercept, 1e-12);
  EXPECT_DOUBLE_EQ(w->Slope[1], 1.5);

  // Without any uncertainty two rows give no uncertainty at all.
  fw::TestHooks::ClickTab(*w->TabPanel1, MainWndo::DataPageIndex);
  LB().EditCell(0, 2);
  fw::TestHooks::PressKey(LB(), "Backspace");
  LB().EditCell(0, 4);
  fw::TestHooks::PressKey(LB(), "Backspace");
  LB().EditCell(1, 4);
  fw::TestHooks::PressKey(LB(), "Backspace");
  LB().EditCell(1, 3);
  ToGraph();
  Push(*w->PBFit);
  EXPECT_EQ(w->SlopeUnc, 0);
  EXPECT_EQ(w->InterceptUnc, 0);
}

TEST_F(FitTest, ThreeRowsTakeTheLargerOfSpreadAndStandardError) {
  // Large uncertainties: the spread wins for the slope.
  const std::vector<Point> points = {{1, 0.5, 1, 3}, {2, 0, 3, 3}, {3, 0.5, 2, 3}};
  Row(0, "1", "0.5", "1", "3");
  Row(1, "2", "", "3", "3");
  Row(2, "3", "0.5", "2", "3");
  ToGraph();
  fw::SeedRnd(5);
  Push(*w->PBFit);
  const Line spread = ReplayUncertainties(points, 5);
  const double classicSlope = 1.984 * std::sqrt(0.75);
  const double classicIntercept = 1.984 * std::sqrt(3.5);
  EXPECT_NEAR(w->SlopeUnc, std::max(spread.slope, classicSlope), 1e-12);
  EXPECT_NEAR(w->InterceptUnc, std::max(spread.intercept, classicIntercept), 1e-12);
  EXPECT_GT(spread.slope, classicSlope);

  // A new fit draws new teams: the same line, other uncertainties.
  const double before = w->SlopeUnc;
  Push(*w->PBFit);
  EXPECT_DOUBLE_EQ(w->Slope[1], 0.5);
  EXPECT_NE(w->SlopeUnc, before);
}

TEST_F(FitTest, TeamUncertaintiesMatchTheEnteredUncertaintiesOverManySeeds) {
  // Points exactly on y = 2x + 1, so the least-squares error is 0 and the spread of the 100
  // fits decides. To first order each team's slope and intercept move linearly with its
  // drawn values, whose standard deviation is the uncertainty / 1.96; the sample variance
  // of the displayed fit and 99 teams has the expectation 0.99 times that variance.
  const double x[6] = {1, 2, 3, 4, 5, 6};
  const double ux[6] = {0.1, 0, 0.2, 0, 0.1, 0};
  const double uy[6] = {0.4, 0.3, 0.4, 0.5, 0.4, 0.3};
  for (int row = 0; row < 6; ++row) {
    Row(row, fw::Str(x[row]), ux[row] > 0 ? fw::Str(ux[row]) : "", fw::Str(2 * x[row] + 1), fw::Str(uy[row]));
  }
  const double b = 2, n = 6, mean = 3.5, sxx = 17.5;
  double slopeVar = 0, interceptVar = 0;
  for (int row = 0; row < 6; ++row) {
    const double d = x[row] - mean;
    const double sy = uy[row] / 1.96, sx = ux[row] / 1.96;
    slopeVar += (d / sxx) * (d / sxx) * sy * sy + (b * d / sxx) * (b * d / sxx) * sx * sx;
    const double ay = 1 / n - mean * d / sxx;
    const double ax = -b / n + b * mean * d / sxx;
    interceptVar += ay * ay * sy * sy + ax * ax * sx * sx;
  }
  const double t2 = 1.984 * 1.984;
  const double slopeExpected = t2 * 0.99 * slopeVar;
  const double interceptExpected = t2 * 0.99 * interceptVar;

  ToGraph();
  const int fits = 200;
  double slopeSum = 0, interceptSum = 0;
  for (int seed = 1; seed <= fits; ++seed) {
    fw::SeedRnd(static_cast<std::uint64_t>(seed));
    Push(*w->PBFit);
    slopeSum += w->SlopeUnc * w->SlopeUnc;
    interceptSum += w->InterceptUnc * w->InterceptUnc;
  }
  // A sample variance of 100 normal values has a relative spread of sqrt(2 / 99); the mean
  // of 200 of them lies within 5 of its standard deviations, about 5 %.
  const double tol = 5 * std::sqrt(2.0 / 99 / fits);
  EXPECT_NEAR(slopeSum / fits / slopeExpected, 1, tol);
  EXPECT_NEAR(interceptSum / fits / interceptExpected, 1, tol);
  EXPECT_TRUE(messages.empty());
}

TEST_F(FitTest, TeamsCopyValuesWithoutUncertaintyAndRowsMissingAValueStayOutOfTheFit) {
  Row(0, "1", "", "3", "");
  Row(1, "2", "0.2", "5", "");
  Row(2, "3", "", "7", "0.3");
  Row(3, "10", "0.5", "", "");  // no vertical value
  ToGraph();
  Push(*w->PBFit);
  for (int team = 2; team <= 100; ++team) {
    EXPECT_EQ(w->Data[team][0][1], 1);
    EXPECT_EQ(w->Data[team][0][2], 0);
    EXPECT_EQ(w->Data[team][2][1], 3);
    EXPECT_EQ(w->Data[team][2][4], 0.3);
    EXPECT_EQ(w->Data[team][1][2], 0.2);
    EXPECT_EQ(w->Data[team][1][3], 5);
    EXPECT_EQ(w->Data[team][1][4], 0);
    EXPECT_EQ(w->Data[team][3][2], 0.5);
  }
  EXPECT_NE(w->Data[2][1][1], 2);
  EXPECT_NE(w->Data[2][3][1], 10);  // the lone horizontal value still gets team values
  EXPECT_DOUBLE_EQ(w->Slope[1], 2);
  EXPECT_DOUBLE_EQ(w->Intercept[1], 1);
}

TEST_F(FitTest, SlopeUnitsFollowTheAxisUnits) {
  Row(0, "1", "", "3", "");
  Row(1, "2", "", "5", "");
  w->EFVUnits->SetText("none");
  ToGraph();
  Push(*w->PBFit);
  EXPECT_EQ(w->SlopeUnits, "s^-1^");
  EXPECT_EQ(w->InterceptUnits, "");
  EXPECT_EQ(BoxText(*w->SSFitInfo), "!Slope:!|2.00 \u00B1 0.00 s^-1^|!Intercept:!|1.00 \u00B1 0.00 ");

  w->EFHUnits->SetText("none");
  fw::TestHooks::ClickTab(*w->TabPanel1, MainWndo::NamesPage);
  ToGraph();
  Push(*w->PBFit);
  EXPECT_EQ(w->SlopeUnits, "");
  EXPECT_EQ(w->InterceptUnits, "");

  w->EFVUnits->SetText("m");
  fw::TestHooks::ClickTab(*w->TabPanel1, MainWndo::NamesPage);
  ToGraph();
  Push(*w->PBFit);
  EXPECT_EQ(w->SlopeUnits, "m");
  // A fit replaces units set in the label dialog.
  w->SlopeUnits = "furlongs";
  Push(*w->PBFit);
  EXPECT_EQ(w->SlopeUnits, "m");

  // New units on the "Names" page keep the fit; rebuilding the labels gives its box the new units.
  fw::TestHooks::ClickTab(*w->TabPanel1, MainWndo::NamesPage);
  w->EFHUnits->SetText("h");
  w->EFVUnits->SetText("km");
  ToGraph();
  ASSERT_TRUE(w->HaveFit);
  EXPECT_EQ(w->SlopeUnits, "km/h");
  EXPECT_EQ(w->InterceptUnits, "km");
  EXPECT_EQ(BoxText(*w->SSFitInfo), "!Slope:!|2.00 \u00B1 0.00 km/h|!Intercept:!|1.00 \u00B1 0.00 km");
}

TEST_F(FitTest, BrowsingTeamsWithTheSliderShowsEachTeamAndItsLine) {
  Row(0, "1", "0.2", "3", "0.4");
  Row(1, "2", "0.2", "5", "0.4");
  Row(2, "3", "0.2", "7", "0.4");
  ToGraph();
  Push(*w->PBFit);
  w->SDDatGrfd->SetValue(5);
  EXPECT_EQ(w->STDatGrfd->Text(), "Ficticious Team 5");
  EXPECT_EQ(w->STDatDspd->Text(), "Ficticious Team 5");
  EXPECT_EQ(w->SDDatDspd->Value(), 5);
  EXPECT_EQ(BoxText(*w->SSTeam), "!Data taken by:!|Ficticious Team &#5");
  EXPECT_EQ(LB().Cell(0, 1), GlobalFuncts::Reformat(w->Data[5][0][1], w->PUHFormat->ListIndex()));
  // Team 5's line with the common uncertainties.
  std::string sv, su, iv, iu;
  GlobalFuncts::FormatValUnc(w->Slope[5], w->SlopeUnc, sv, su);
  GlobalFuncts::FormatValUnc(w->Intercept[5], w->InterceptUnc, iv, iu);
  EXPECT_EQ(BoxText(*w->SSFitInfo),
            "!Slope:!|" + sv + " \u00B1 " + su + " m/s|!Intercept:!|" + iv + " \u00B1 " + iu + " m");
  EXPECT_TRUE(fw::TestHooks::SaveScreenshot(*w, TempPath("graph-page-team5.png")));

  w->SDDatGrfd->SetValue(1);
  EXPECT_EQ(w->STDatGrfd->Text(), "Original Data");
  EXPECT_EQ(BoxText(*w->SSTeam), "!Data taken by:!|Ann and Bo");

  // A fit starts from the entered data whatever team is shown.
  w->SDDatGrfd->SetValue(9);
  Push(*w->PBFit);
  EXPECT_EQ(w->SDDatGrfd->Value(), 1);
  EXPECT_EQ(w->SDDatDspd->Value(), 1);
  EXPECT_EQ(w->STDatDspd->Text(), "Original Data");
  EXPECT_DOUBLE_EQ(w->Slope[1], 2);
}

TEST_F(FitTest, EditingTheDataDiscardsTheFit) {
  Row(0, "1", "0.2", "3", "");
  Row(1, "2", "0.2", "5", "");
  ToGraph();
  Push(*w->PBFit);
  w->SDDatGrfd->SetValue(4);
  fw::TestHooks::ClickTab(*w->TabPanel1, MainWndo::DataPageIndex);
  w->SDDatDspd->SetValue(1);
  LB().EditCell(0, 3);
  fw::TestHooks::TypeText(LB(), "4");
  EXPECT_FALSE(w->HaveFit);
  EXPECT_FALSE(w->SSFitInfo->Visible());
  EXPECT_FALSE(w->SDDatGrfd->Enabled());
  EXPECT_FALSE(w->SDDatDspd->Enabled());
  EXPECT_EQ(w->SDDatGrfd->Value(), 1);

  // Without a fit KillFit changes nothing.
  w->SSFitInfo->SetVisible(true);
  w->Plot.KillFit();
  EXPECT_TRUE(w->SSFitInfo->Visible());
}

TEST_F(FitTest, ALineOutsideThePlotIsReportedOncePerEndAndNotDrawn) {
  Row(0, "1", "", "3", "");
  Row(1, "2", "", "5", "");
  ToGraph();
  Push(*w->PBFit);
  w->EFVMin->SetText("100");
  w->EFVMax->SetText("200");
  AnswerWarnings(2);
  Push(*w->PBUpdate);
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0], "Trouble drawing best fit slope.");
  EXPECT_EQ(messages[1], "Trouble drawing best fit slope.");
  EXPECT_TRUE(w->SSFitInfo->Visible());
}

TEST_F(FitTest, ALineIsClippedWhereItCrossesTheBottomOfThePlot) {
  Row(0, "1", "", "3", "");
  Row(1, "2", "", "5", "");
  ToGraph();
  Push(*w->PBFit);
  // y = 2x + 1 crosses y = 0 at x = -0.5 and leaves through x = 4 at y = 9.
  w->EFHMin->SetText("-2");
  w->EFHMax->SetText("4");
  w->EFVMin->SetText("0");
  w->EFVMax->SetText("10");
  Push(*w->PBUpdate);
  EXPECT_TRUE(messages.empty());
  Graph& g = *w->dGraph;
  EXPECT_TRUE(BlackNear(g, -0.25, 0.5));
  EXPECT_TRUE(BlackNear(g, 3.5, 8));
  EXPECT_FALSE(BlackNear(g, -1.5, 1));
  EXPECT_TRUE(fw::TestHooks::SavePicture(*g.GXP, TempPath("graph-page-clipped.png")));
}

TEST_F(FitTest, HorizontalValuesThatDoNotDifferBeyondRoundingAreRefused) {
  Row(0, "2", "0.5", "3", "");
  Row(1, "2", "", "5", "");
  ToGraph();
  ASSERT_TRUE(OnGraph());
  AnswerWarning();
  Push(*w->PBFit);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "Can't Fit: The data points must have at least two different horizontal values.");
  EXPECT_FALSE(w->HaveFit);
  EXPECT_FALSE(w->SSFitInfo->Visible());
  EXPECT_FALSE(w->SDDatGrfd->Enabled());

  // 0.3 three times, whose sum is 0.8999999999999999; then values one rounding apart.
  fw::TestHooks::ClickTab(*w->TabPanel1, MainWndo::DataPageIndex);
  Row(2, "", "", "4", "");
  for (const auto& xs : {std::vector<std::string>{"0.3", "0.3", "0.3"},
                         std::vector<std::string>{"0.3", "0.30000000000000004", "0.3"}}) {
    messages.clear();
    AnswerWarning();
    RefitWithHorizontal(xs);
    EXPECT_EQ(messages,
              std::vector<std::string>{"Can't Fit: The data points must have at least two different horizontal values."})
        << xs[1];
    EXPECT_FALSE(w->HaveFit);
    EXPECT_FALSE(w->SSFitInfo->Visible());
  }

  // An infinite value typed ("1e999"), and finite values whose scatter squared overflows.
  fw::TestHooks::ClickTab(*w->TabPanel1, MainWndo::DataPageIndex);
  Row(0, "", "", "1e200", "");
  Row(1, "", "", "3e200", "");
  Row(2, "", "", "2e200", "");
  for (const std::string x : {"1e999", "3"}) {
    messages.clear();
    // The graph page itself cannot scale an infinite axis, and says so first.
    AnswerWarnings(x == "3" ? 1 : 2);
    RefitWithHorizontal({"1", "2", x});
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back(), "Can't Fit: The values are too large to fit a line.") << x;
    EXPECT_FALSE(w->HaveFit) << x;
  }
}

TEST_F(FitTest, AFitOfAColumnWithoutAValidCalculationReadsNoDataSet) {
  Row(0, "1", "0.1", "3", "0.2");
  Row(1, "2", "0.1", "5", "0.2");
  // As a document read can leave it: shown as calculated, but no valid values.
  w->RBVCalculated->SetValue(true);
  w->CalcOK[3] = false;
  w->CalcOK[4] = false;
  for (int team = 2; team <= 100; ++team) w->Data[team][0][3] = 99;
  w->Plot.CalcTeamData();
  EXPECT_EQ(w->Data[2][0][3], 99);
  EXPECT_NE(w->Data[2][0][1], 1);
  EXPECT_FALSE(w->Plot.CalculateSlope(1));
  EXPECT_FALSE(w->Plot.MadeFitOK());
  EXPECT_EQ(w->Plot.FitProblem, "Can't Fit: The data points must have at least two different horizontal values.");
  EXPECT_FALSE(w->HaveFit);
  EXPECT_EQ(w->Slope[1], 0);
  EXPECT_EQ(w->SlopeUnc, 0);
}

TEST_F(FitTest, ALevelLineIsDrawnInsideThePlotAndReportedOutsideIt) {
  Row(0, "1", "", "3", "0.5");
  Row(1, "2", "", "3", "0.5");
  ToGraph();
  Push(*w->PBFit);
  ASSERT_EQ(w->Slope[1], 0.0);
  EXPECT_TRUE(BlackNear(*w->dGraph, 1.5, 3));
  // Above the plot: no line, and the message once for each end as for any line outside.
  w->EFVMin->SetText("5");
  w->EFVMax->SetText("10");
  AnswerWarnings(2);
  Push(*w->PBUpdate);
  EXPECT_EQ(messages, std::vector<std::string>(2, "Trouble drawing best fit slope."));
  EXPECT_TRUE(w->SSFitInfo->Visible());
}

}  // namespace
