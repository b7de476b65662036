#include "framework/RadioButton.h"
#include "framework/Slider.h"
#include "tests/window/table/TableFixture.h"
#include "window/table/UndoableAction.h"

namespace {

// A fit made by hand: fictitious team 7 holds its own values.
class SliderTest : public TableTest {
 protected:
  void SetUp() override {
    TableTest::SetUp();
    Enter(0, 1, "1");
    Enter(0, 2, "0.1");
    Enter(0, 3, "2");
    w->Data[7][0][1] = 1.25;
    w->Data[7][0][2] = 0.5;
    w->Data[7][0][3] = 2.75;
    w->HaveFit = true;
    w->SDDatDspd->SetEnabled(true);
    w->SDDatGrfd->SetEnabled(true);
  }
};

TEST_F(SliderTest, ATeamIsShownInEveryColumnWithBothCaptionsAndNoEntry) {
  w->LastAction = std::make_shared<UndoableAction>();
  LB().SetListIndex(4);
  w->SDDatDspd->SetValue(7);
  EXPECT_FALSE(LB().Selected(4));
  EXPECT_EQ(Cell(0, 1), "1.25");
  EXPECT_EQ(Cell(0, 2), "0.50");
  EXPECT_EQ(Cell(0, 3), "2.75");
  EXPECT_EQ(Cell(0, 4), "");
  EXPECT_EQ(w->STDatDspd->Text(), "Ficticious Team 7");
  EXPECT_EQ(w->STDatGrfd->Text(), "Ficticious Team 7");
  EXPECT_EQ(w->SDDatGrfd->Value(), 7);
  EXPECT_EQ(w->LastAction, nullptr);
  EXPECT_FALSE(w->RBHEntered->Enabled());
  EXPECT_FALSE(w->RBVCalculated->Enabled());
  EXPECT_FALSE(w->EFHFormula->Enabled());
  for (int col = 1; col <= 4; ++col) EXPECT_EQ(w->Table.Displayed(col, 7), 7);
  EXPECT_EQ(w->Table.Displayed(1, 1), 0);

  // No cell opens and typing marks nothing while a team is shown.
  ClickCell(3, 1);
  EXPECT_EQ(LB().ActiveCell(), nullptr);
  EXPECT_EQ(w->Focus(), nullptr);

  w->SDDatDspd->SetValue(42);
  EXPECT_EQ(w->STDatDspd->Text(), "Ficticious Team 42");
  w->SDDatDspd->SetValue(1);
  EXPECT_EQ(w->STDatDspd->Text(), "Original Data");
  EXPECT_EQ(w->STDatGrfd->Text(), "Original Data");
  EXPECT_EQ(Cell(0, 1), "1");
  EXPECT_TRUE(IsOpen(0, 1));
  EXPECT_TRUE(w->RBHEntered->Enabled());
  EXPECT_FALSE(w->EFHFormula->Enabled());
}

TEST_F(SliderTest, UnderProtectChangeTheTableIsRefreshedButNothingElseMoves) {
  w->ProtectChange = true;
  w->SDDatDspd->SetValue(7);
  w->ProtectChange = false;
  EXPECT_EQ(Cell(0, 3), "2.75");
  EXPECT_EQ(w->STDatGrfd->Text(), "Ficticious Team 7");
  EXPECT_EQ(w->SDDatGrfd->Value(), 1);
  EXPECT_FALSE(w->RBHCalculated->Enabled());
}

TEST_F(SliderTest, WithoutAFitTheSlidersValueDoesNotPickATeam) {
  w->HaveFit = false;
  EXPECT_EQ(w->Table.Displayed(1, 5), 0);
  w->RBHCalculated->SetValue(true);
  EXPECT_EQ(w->Table.Displayed(2, 5), 1);
  w->EFHFormula->SetText("");
  EXPECT_EQ(w->Table.Displayed(1, 5), -1);
  w->Table.DoFormatChange(1, 2);
  EXPECT_EQ(Cell(0, 1), "");
  EXPECT_EQ(Cell(0, 2), "");
}

TEST_F(SliderTest, DiscardingTheFitShowsTheEnteredDataAgain) {
  w->SDDatDspd->SetValue(7);
  w->Plot.KillFit();
  EXPECT_EQ(w->SDDatDspd->Value(), 1);
  EXPECT_EQ(Cell(0, 1), "1");
  EXPECT_EQ(Cell(0, 3), "2.00");
  EXPECT_FALSE(w->SDDatDspd->Enabled());
}

}  // namespace
