#include "window/graphpage/GraphPageFixture.h"

namespace {

using GraphDrawTest = GraphPageTest;

TEST_F(GraphDrawTest, EnteringTheGraphPageDrawsTheDataWithLabelsBoxAndLimits) {
  Row(0, "1", "0.1", "2.1", "0.2");
  Row(1, "2", "0.1", "3.9", "0.2");
  Row(2, "3", "", "6.2", "");
  Row(3, "4", "0.1", "7.8", "0.3");
  w->Dirty = false;
  ToGraph();
  ASSERT_TRUE(OnGraph());
  EXPECT_TRUE(messages.empty());
  EXPECT_TRUE(w->GotGraph);
  EXPECT_EQ(w->GrfTitle, "!Graph of d vs. t!");
  EXPECT_EQ(w->GrfXLabel, "t in s");
  EXPECT_EQ(w->GrfYLabel, "d|in|m");
  EXPECT_EQ(w->GrfXUnits, "s");
  EXPECT_EQ(w->GrfYUnits, "m");

  // The fields show the axis ends the canvas chose around 0.9..4.1 and 1.9..8.1.
  const Graph& g = *w->dGraph;
  EXPECT_EQ(w->EFHMin->Text(), fw::Str(g.XMin));
  EXPECT_EQ(w->EFHMax->Text(), fw::Str(g.XMax));
  EXPECT_EQ(w->EFVMin->Text(), fw::Str(g.YMin));
  EXPECT_EQ(w->EFVMax->Text(), fw::Str(g.YMax));
  EXPECT_LE(g.XMin, 0.9);
  EXPECT_GE(g.XMax, 4.1);
  EXPECT_LE(g.YMin, 1.9);
  EXPECT_GE(g.YMax, 8.1);
  // Writing them neither marks the document nor touches the undo record.
  EXPECT_FALSE(w->Dirty);

  EXPECT_EQ(BoxText(*w->SSTeam), "!Data taken by:!|Ann and Bo");
  EXPECT_TRUE(w->SSTeam->DeFlowered);
  EXPECT_EQ(w->SSTeam->Left(), g.Left() + g.GLeft + 10);
  EXPECT_EQ(w->SSTeam->Top(), g.Top() + g.GTop + 10);
  EXPECT_FALSE(w->SSFitInfo->Visible());

  // A point is a black dot at its place in the picture.
  const int px = w->dGraph->XCoord(3);
  const int py = w->dGraph->YCoord(6.2);
  EXPECT_EQ(fw::TestHooks::PicturePixel(*g.GXP, px, py), fw::RGB(0, 0, 0));
  EXPECT_EQ(fw::TestHooks::PicturePixel(*g.GXP, px + 20, py), fw::RGB(255, 255, 255));
  EXPECT_TRUE(fw::TestHooks::SavePicture(*g.GXP, TempPath("graph-page-points.png")));
  EXPECT_TRUE(fw::TestHooks::SaveScreenshot(*w, TempPath("graph-page-window.png")));
}

TEST_F(GraphDrawTest, TooFewPointsOrAnEmptyRangeIsRefusedAndTheTabStays) {
  Row(0, "1", "", "2", "");
  AnswerWarning();
  ToGraph();
  EXPECT_FALSE(OnGraph());
  EXPECT_FALSE(w->GotGraph);

  // Same horizontal value, no horizontal uncertainty.
  Row(1, "1", "", "3", "");
  AnswerWarning();
  ToGraph();
  EXPECT_FALSE(OnGraph());
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0], "Can't Graph: Must have at least two valid displayed data points.");
  EXPECT_EQ(messages[1], "Can't Graph: Maximum value = minimum value on at least one axis");

  // An uncertainty in one of the two rows gives the axis its range.
  fw::TestHooks::ClickTab(*w->TabPanel1, MainWndo::DataPageIndex);
  Enter(1, 2, "0.5");
  ToGraph();
  EXPECT_TRUE(OnGraph());
  EXPECT_EQ(messages.size(), 2u);
}

TEST_F(GraphDrawTest, AllZeroValuesAreRefusedButARangeAroundZeroIsDrawn) {
  Row(0, "1", "", "0", "");
  Row(1, "2", "", "0", "");
  AnswerWarning();
  ToGraph();
  EXPECT_FALSE(OnGraph());
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "Can't Graph: Maximum value = minimum value on at least one axis");

  fw::TestHooks::ClickTab(*w->TabPanel1, MainWndo::DataPageIndex);
  Enter(0, 3, "-5");
  Enter(1, 3, "5");
  ToGraph();
  EXPECT_TRUE(OnGraph());
  EXPECT_EQ(messages.size(), 1u);
  EXPECT_LE(w->dGraph->YMin, -5);
  EXPECT_GE(w->dGraph->YMax, 5);
}

TEST_F(GraphDrawTest, RowsMissingAValueAndEmptyUncertaintiesDoNotCount) {
  Row(0, "1", "", "10", "");
  Row(1, "2", "", "20", "");
  Row(2, "100", "", "", "");       // no vertical value
  Row(3, "", "", "500", "");       // no horizontal value
  Row(4, "3", "", "30", "");
  ToGraph();
  ASSERT_TRUE(OnGraph());
  double xmin = 0, xmax = 0, ymin = 0, ymax = 0;
  ASSERT_TRUE(w->Plot.FoundMinMax(xmin, xmax, ymin, ymax));
  EXPECT_EQ(xmin, 1);
  EXPECT_EQ(xmax, 3);
  EXPECT_EQ(ymin, 10);
  EXPECT_EQ(ymax, 30);
}

TEST_F(GraphDrawTest, FoundMinMaxWidensByUncertaintiesAndLeavesArgumentsOnFailure) {
  Row(0, "1", "0.5", "10", "2");
  Row(1, "2", "", "20", "4");
  ToGraph();
  double xmin = 0, xmax = 0, ymin = 0, ymax = 0;
  ASSERT_TRUE(w->Plot.FoundMinMax(xmin, xmax, ymin, ymax));
  EXPECT_EQ(xmin, 0.5);
  EXPECT_EQ(xmax, 2);
  EXPECT_EQ(ymin, 8);
  EXPECT_EQ(ymax, 24);

  // A vertical column calculated without a valid calculation shows nothing.
  w->RBVCalculated->SetValue(true);
  w->CalcOK[3] = false;
  double a = 7, b = 8, c = 9, d = 10;
  AnswerWarning();
  EXPECT_FALSE(w->Plot.FoundMinMax(a, b, c, d));
  EXPECT_EQ(a, 7);
  EXPECT_EQ(b, 8);
  EXPECT_EQ(c, 9);
  EXPECT_EQ(d, 10);
}

TEST_F(GraphDrawTest, TypedLimitsTakeEffectOnUpdateAndMarkTheDocument) {
  Row(0, "1", "", "2", "");
  Row(1, "4", "", "8", "");
  ToGraph();
  ASSERT_TRUE(OnGraph());
  w->Dirty = false;
  const double xmaxBefore = w->dGraph->XMax;
  w->EFHMax->SetText("10");
  EXPECT_TRUE(w->Dirty);
  EXPECT_EQ(w->LastAction, nullptr);
  EXPECT_EQ(w->dGraph->XMax, xmaxBefore);
  Push(*w->PBUpdate);
  EXPECT_EQ(w->dGraph->XMax, 10);
  EXPECT_EQ(w->EFHMax->Text(), "10");
}

TEST_F(GraphDrawTest, LimitsThatRefuseTheGraphAreReportedAndCanBeCorrected) {
  Row(0, "1", "", "2", "");
  Row(1, "4", "", "8", "");
  ToGraph();
  ASSERT_TRUE(OnGraph());
  w->EFHMin->SetText("5");
  w->EFHMax->SetText("1");
  AnswerWarning();
  Push(*w->PBUpdate);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "zDefineXAxis: x axis range is -4");
  EXPECT_FALSE(w->ProtectChange);
  EXPECT_EQ(w->EFHMin->Text(), "5");

  // Leaving and entering the page again still works, so the limits can be fixed.
  fw::TestHooks::ClickTab(*w->TabPanel1, MainWndo::DataPageIndex);
  AnswerWarning();
  ToGraph();
  EXPECT_TRUE(OnGraph());
  EXPECT_EQ(messages.size(), 2u);
  w->EFHMin->SetText("0");
  w->EFHMax->SetText("5");
  Push(*w->PBUpdate);
  EXPECT_EQ(messages.size(), 2u);
  EXPECT_EQ(w->dGraph->XMin, 0);
  EXPECT_EQ(w->dGraph->XMax, 5);
}

TEST_F(GraphDrawTest, TheFieldChecksApplyEvenWithAllFourLimitsFilled) {
  Row(0, "1", "", "2", "");
  Row(1, "3", "", "8", "");
  ToGraph();
  ASSERT_TRUE(OnGraph());
  fw::TestHooks::ClickTab(*w->TabPanel1, MainWndo::DataPageIndex);
  Enter(1, 1, "1");
  AnswerWarning();
  ToGraph();
  EXPECT_FALSE(OnGraph());
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "Can't Graph: Maximum value = minimum value on at least one axis");
}

TEST_F(GraphDrawTest, ADraggedTeamBoxKeepsItsPlace) {
  Row(0, "1", "", "2", "");
  Row(1, "3", "", "8", "");
  ToGraph();
  w->SSTeam->SetLeft(300);
  w->SSTeam->SetTop(400);
  Push(*w->PBUpdate);
  EXPECT_EQ(w->SSTeam->Left(), 300);
  EXPECT_EQ(w->SSTeam->Top(), 400);
}

}  // namespace
