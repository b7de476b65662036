#include <cmath>

#include "engine/GlobalFuncts.h"
#include "framework/PopupMenu.h"
#include "framework/RadioButton.h"
#include "tests/window/table/TableFixture.h"

namespace {

using StoryTest = TableTest;

// A student's session on the "Data" page, from typing to undoing a clearing.
TEST_F(StoryTest, TypeFillCalculateReformatAndUndo) {
  // Times with their uncertainties: Tab to the uncertainty, Enter to the next row.
  for (const char* time : {"1.5", "2.5", "4"}) {
    Type(time);
    Press("Tab");
    Type("0.1");
    Press("Enter");
  }
  EXPECT_TRUE(IsOpen(3, 1));
  EXPECT_EQ(Cell(0, 1), "1.50");
  EXPECT_EQ(Cell(2, 1), "4.00");
  EXPECT_EQ(Cell(2, 2), "0.10");

  // The drops as a sequence from their first cell.
  ClickCell(0, 3);
  EXPECT_TRUE(IsOpen(0, 3));
  AnswerFill([](class FillSheet& d) {
    d.EFTo.SetText("3");
    d.PBSeq.Push();
  });
  Type("f");
  Press("Tab");
  EXPECT_TRUE(IsOpen(0, 4));
  EXPECT_EQ(Cell(0, 3), "1.00");
  EXPECT_EQ(Cell(2, 3), "3.00");
  EXPECT_EQ(Cell(3, 3), "");

  // ln of the time, the default formula, with simulated uncertainties.
  fw::TestHooks::Click(*w->RBHCalculated);
  EXPECT_EQ(w->Focus(), w->EFHFormula);
  EXPECT_EQ(w->EFHFormula->Text(), "ln(t)");
  EXPECT_EQ(Cell(0, 1), "0.41");
  EXPECT_EQ(Cell(2, 1), "1.39");
  EXPECT_NEAR(w->Data[1][0][2], 0.1 / 1.5, 0.006);
  EXPECT_NEAR(w->Data[1][2][2], 0.1 / 4, 0.0025);
  EXPECT_EQ(Cell(3, 1), "");

  // More digits for the horizontal variable only.
  w->PUHFormat->SetListIndex(4);
  EXPECT_EQ(Cell(0, 1), "0.4055");
  EXPECT_EQ(Cell(0, 2), GlobalFuncts::Reformat(w->Data[1][0][2], 4));
  EXPECT_EQ(Cell(0, 3), "1.00");
  EXPECT_TRUE(fw::TestHooks::SaveScreenshot(*w, "story_calculated.png"));

  // "Clear Data", then Edit > "Undo": the entered table is back in the formats chosen.
  fw::TestHooks::Click(*w->PBClearData);
  EXPECT_EQ(Cell(0, 3), "");
  EXPECT_TRUE(w->RBHEntered->Value());
  ASSERT_TRUE(fw::TestHooks::MenuItemEnabled(*w, "EditUndo"));
  ASSERT_TRUE(fw::TestHooks::ChooseMenu(*w, "EditUndo"));
  EXPECT_TRUE(IsOpen(0, 1));
  EXPECT_EQ(Cell(0, 1), "1.5");
  EXPECT_EQ(Cell(1, 1), "2.5000");
  EXPECT_EQ(Cell(1, 2), "0.1000");
  EXPECT_EQ(Cell(2, 3), "3.00");
  EXPECT_TRUE(w->Dirty);
  EXPECT_TRUE(fw::TestHooks::SaveScreenshot(*w, "story_undone.png"));
}

// A value typed into a cell and left for a format popup is committed whole.
TEST_F(StoryTest, LeavingACellForAFormatPopupCommitsItFirst) {
  Type("3.14159");
  w->PUHFormat->SetFocus();
  EXPECT_EQ(LB().ActiveCell(), nullptr);
  w->PUHFormat->SetListIndex(3);
  EXPECT_EQ(Cell(0, 1), "3.142");
  EXPECT_DOUBLE_EQ(w->Data[0][0][1], 3.14159);
  LB().EditCell(0, 1);
  EXPECT_EQ(Cell(0, 1), "3.14159");
}

}  // namespace
