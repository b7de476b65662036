#include <cmath>

#include "calculators/PropUncSheet.h"
#include "calculators/RepDatSheet.h"
#include "engine/GlobalFuncts.h"
#include "framework/PopupMenu.h"
#include "framework/CheckBox.h"
#include "framework/RadioButton.h"
#include "tests/window/table/TableFixture.h"

namespace {

using KeyboardTest = TableTest;

TEST_F(KeyboardTest, TabWalksTheVariablesPairAndWrapsAtTheBottom) {
  Press("Tab");
  EXPECT_TRUE(IsOpen(0, 2));
  Press("Tab");
  EXPECT_TRUE(IsOpen(1, 1));
  LB().EditCell(98, 2);
  Press("Tab");
  EXPECT_TRUE(IsOpen(0, 1));
  LB().EditCell(4, 3);
  Press("Tab");
  EXPECT_TRUE(IsOpen(4, 4));
  Press("Tab");
  EXPECT_TRUE(IsOpen(5, 3));
  // Enter behaves as Tab.
  Press("Enter");
  EXPECT_TRUE(IsOpen(5, 4));
}

TEST_F(KeyboardTest, ShiftTabWalksBackAndStopsAtTheTop) {
  Press("Backtab");
  EXPECT_TRUE(IsOpen(0, 2));
  Press("Tab", "shift");
  EXPECT_TRUE(IsOpen(0, 1));
  LB().EditCell(0, 3);
  Press("Backtab");
  EXPECT_TRUE(IsOpen(0, 4));
  LB().EditCell(6, 3);
  Press("Enter", "shift");
  EXPECT_TRUE(IsOpen(5, 4));
  Press("Enter", "shift");
  EXPECT_TRUE(IsOpen(5, 3));
}

TEST_F(KeyboardTest, TabAcrossDividerCrossesOnlyIntoAnEnteredVariable) {
  w->CBTabAcross->SetValue(true);
  LB().EditCell(3, 2);
  Press("Tab");
  EXPECT_TRUE(IsOpen(3, 3));
  Press("Tab");
  EXPECT_TRUE(IsOpen(3, 4));
  Press("Tab");
  EXPECT_TRUE(IsOpen(4, 1));
  Press("Backtab");
  EXPECT_TRUE(IsOpen(3, 4));
  LB().EditCell(3, 3);
  Press("Backtab");
  EXPECT_TRUE(IsOpen(3, 2));
  LB().EditCell(0, 1);
  Press("Backtab");
  EXPECT_TRUE(IsOpen(0, 4));

  w->RBVCalculated->SetValue(true);
  LB().EditCell(3, 2);
  Press("Tab");
  EXPECT_TRUE(IsOpen(4, 1));
}

TEST_F(KeyboardTest, ArrowsMoveOneCellAndBeepAtTheEdges) {
  LB().EditCell(5, 2);
  Press("Left");
  EXPECT_TRUE(IsOpen(5, 1));
  int beeps = fw::TestHooks::BeepCount();
  Press("Left");
  EXPECT_TRUE(IsOpen(5, 1));
  EXPECT_EQ(fw::TestHooks::BeepCount(), beeps + 1);
  Press("Up");
  EXPECT_TRUE(IsOpen(4, 1));
  Press("Down");
  Press("Return");
  EXPECT_TRUE(IsOpen(6, 1));
  LB().EditCell(6, 4);
  Press("Right");
  EXPECT_TRUE(IsOpen(6, 4));
  EXPECT_EQ(fw::TestHooks::BeepCount(), beeps + 2);

  LB().EditCell(0, 3);
  Press("Up");
  EXPECT_TRUE(IsOpen(0, 3));
  LB().EditCell(98, 3);
  Press("Down");
  Press("Return");
  EXPECT_TRUE(IsOpen(98, 3));
  EXPECT_EQ(fw::TestHooks::BeepCount(), beeps + 5);
}

TEST_F(KeyboardTest, ArrowsDoNotEnterACalculatedVariable) {
  w->RBVCalculated->SetValue(true);
  LB().EditCell(2, 2);
  int beeps = fw::TestHooks::BeepCount();
  Press("Right");
  EXPECT_TRUE(IsOpen(2, 2));
  w->RBVEntered->SetValue(true);
  w->RBHCalculated->SetValue(true);
  LB().EditCell(2, 3);
  Press("Left");
  EXPECT_TRUE(IsOpen(2, 3));
  EXPECT_EQ(fw::TestHooks::BeepCount(), beeps + 2);
}

TEST_F(KeyboardTest, ControlArrowsActInTheTextAndDiscardTheFit) {
  Type("12");
  w->HaveFit = true;
  Press("Left", "ctrl");
  EXPECT_TRUE(IsOpen(0, 1));
  EXPECT_FALSE(w->HaveFit);
  Type("5");
  Press("Tab");
  EXPECT_DOUBLE_EQ(w->Data[0][0][1], 512);
}

TEST_F(KeyboardTest, CommandLettersAreExactAndOnlyInValueColumns) {
  LB().EditCell(0, 2);
  Type("r");
  EXPECT_EQ(Cell(0, 2), "r");
  LB().EditCell(1, 1);
  Type("R");
  EXPECT_EQ(Cell(1, 1), "R");
  EXPECT_EQ(fw::TestHooks::DialogsShown(), 0);
}

TEST_F(KeyboardTest, TheRepeatedMeasurementResultGoesIntoTheValueAndItsUncertainty) {
  w->HaveFit = true;
  w->Dirty = false;
  fw::TestHooks::AnswerNextDialog([](fw::Window& dialog) {
    dialog.Get<fw::EditField>("EFData").SetText("1,2,3");
    dialog.Get<fw::PushButton>("PBCalculate").Push();
    dialog.Get<fw::PushButton>("PBEnter").Push();
  });
  LB().EditCell(4, 3);
  Type("r");
  EXPECT_EQ(fw::TestHooks::DialogsShown(), 1);
  EXPECT_TRUE(IsOpen(4, 3));
  EXPECT_EQ(Cell(4, 3), "2");
  EXPECT_EQ(Cell(4, 4), "2.48");
  EXPECT_TRUE(w->CellFull[4][3]);
  EXPECT_TRUE(w->CellFull[4][4]);
  EXPECT_NEAR(w->Data[0][4][4], 4.303 / std::sqrt(3.0), 1e-9);
  EXPECT_FALSE(RepDatSheet().HaveData);
  // A change of the entered data like any other.
  EXPECT_TRUE(w->Dirty);
  EXPECT_FALSE(w->HaveFit);
  Press("Tab");
  EXPECT_EQ(Cell(4, 3), "2.00");
  EXPECT_DOUBLE_EQ(w->Data[0][4][3], 2.0);
}

TEST_F(KeyboardTest, ThePropagationResultGoesIntoTheValueAndItsUncertainty) {
  w->HaveFit = true;
  fw::TestHooks::AnswerNextDialog([](fw::Window& dialog) {
    dialog.Get<PropUncSheet::EFName>("EFName", 0).SetText("a");
    dialog.Get<PropUncSheet::EFValue>("EFValue", 0).SetText("2");
    dialog.Get<PropUncSheet::EFUnc>("EFUnc", 0).SetText("0.1");
    dialog.Get<fw::EditField>("EFExpression").SetText("a*3");
    dialog.Get<fw::PushButton>("PBCalculate").Push();
    dialog.Get<fw::PushButton>("PBEnter").Push();
  });
  w->PUHFormat->SetListIndex(3);
  LB().EditCell(7, 1);
  Type("=");
  class PropUncSheet& d = PropUncSheet();
  EXPECT_TRUE(IsOpen(7, 1));
  EXPECT_EQ(Cell(7, 1), "6");
  EXPECT_DOUBLE_EQ(w->Data[0][7][1], 6.0);
  EXPECT_GT(d.theUnc, 0.0);
  EXPECT_DOUBLE_EQ(w->Data[0][7][2], d.theUnc);
  EXPECT_EQ(Cell(7, 2), GlobalFuncts::Reformat(d.theUnc, 3));
  EXPECT_TRUE(w->CellFull[7][2]);
  EXPECT_FALSE(d.HaveValue);
  EXPECT_FALSE(w->HaveFit);
  Press("Tab");
  EXPECT_EQ(Cell(7, 1), "6.000");
}

TEST_F(KeyboardTest, ACancelledCalculatorWritesNothing) {
  w->Dirty = false;
  for (const char* key : {"r", "="}) {
    fw::TestHooks::AnswerNextDialog([](fw::Window& dialog) { dialog.Get<fw::PushButton>("PBCancel").Push(); });
    Type(key);
    EXPECT_EQ(Cell(0, 1), "") << key;
    EXPECT_FALSE(w->CellFull[0][2]) << key;
  }
  EXPECT_EQ(fw::TestHooks::DialogsShown(), 2);
  EXPECT_FALSE(w->Dirty);
}

}  // namespace
