#include <memory>
#include <string>

#include "framework/RadioButton.h"
#include "framework/Text.h"
#include "tests/window/table/TableFixture.h"
#include "window/table/BigDataAction.h"
#include "window/table/ClearLimitsAction.h"
#include "window/table/EditLabelAction.h"

namespace {

class UndoTest : public TableTest {
 protected:
  void Undo() { ASSERT_TRUE(fw::TestHooks::ChooseMenu(*w, "EditUndo")); }
  void EnterSample() {
    Enter(0, 1, "1.5");
    Enter(0, 2, "0.1");
    Enter(1, 1, "2.25");
    Enter(0, 3, "7");
    Enter(0, 4, "0.3");
  }
};

TEST_F(UndoTest, ClearDataEmptiesEverythingAndUndoBringsItBack) {
  EnterSample();
  w->EFHFormula->SetText("t*2");
  fw::TestHooks::Click(*w->RBHCalculated);
  ASSERT_EQ(Cell(0, 1), "3.00");
  w->GotGraph = true;
  fw::TestHooks::Click(*w->PBClearData);
  EXPECT_EQ(w->EFHFormula->Text(), "ln(t)");
  EXPECT_EQ(w->EFVFormula->Text(), "ln(d)");
  EXPECT_TRUE(w->RBHEntered->Value());
  EXPECT_TRUE(w->RBVEntered->Value());
  for (int col = 1; col <= 4; ++col) {
    EXPECT_FALSE(w->CellFull[0][col]);
    EXPECT_EQ(Cell(0, col), "");
    EXPECT_EQ(w->Data[1][0][col], 0.0);
  }
  EXPECT_TRUE(IsOpen(0, 1));
  EXPECT_FALSE(w->GotGraph);
  EXPECT_TRUE(w->Dirty);
  ASSERT_NE(w->LastAction, nullptr);

  Undo();
  EXPECT_EQ(Cell(1, 1), "2.25");
  EXPECT_EQ(Cell(0, 2), "0.10");
  EXPECT_EQ(Cell(0, 3), "7.00");
  EXPECT_EQ(Cell(0, 1), "1.5");
  EXPECT_TRUE(IsOpen(0, 1));
  EXPECT_TRUE(w->CellFull[0][4]);
  EXPECT_EQ(w->EFHFormula->Text(), "t*2");
  EXPECT_EQ(w->EFVFormula->Text(), "ln(d)");
  // Shown as entered after the clearing; calculating again uses the restored formula.
  EXPECT_TRUE(w->RBHEntered->Value());
  fw::TestHooks::Click(*w->RBHCalculated);
  EXPECT_EQ(Cell(1, 1), "4.50");
}

TEST_F(UndoTest, ClearDataWithOptionWritesTenSampleRows) {
  fw::TestHooks::SetModifierKeys(true, false, false);
  fw::TestHooks::Click(*w->PBClearData);
  fw::TestHooks::ClearModifierKeys();
  EXPECT_EQ(Cell(9, 1), "10.00");
  EXPECT_EQ(Cell(9, 2), "1.00");
  EXPECT_EQ(Cell(9, 3), "100.00");
  EXPECT_EQ(Cell(9, 4), "10.00");
  EXPECT_EQ(Cell(2, 3), "9.00");
  EXPECT_DOUBLE_EQ(w->Data[0][2][4], 0.9);
  EXPECT_FALSE(w->CellFull[10][1]);
  EXPECT_EQ(Cell(10, 1), "");
  EXPECT_TRUE(IsOpen(0, 1));
  EXPECT_EQ(Cell(0, 1), "1");
}

TEST_F(UndoTest, OptionClickFillsDownFromTheTopCellInItsFormat) {
  // The top cell is open and shows its full value, yet the copies show the format.
  Enter(7, 3, "8");
  Enter(0, 3, "3.14159");
  LB().EditCell(0, 3);
  ASSERT_EQ(Cell(0, 3), "3.14159");
  ClickCell(5, 3, "alt");
  for (int r = 1; r <= 5; ++r) {
    ASSERT_EQ(Cell(r, 3), r == 5 ? "3.14159" : "3.14") << r;
    ASSERT_DOUBLE_EQ(w->Data[0][r][3], 3.14159);
  }
  EXPECT_EQ(Cell(7, 3), "8.00");
  EXPECT_TRUE(IsOpen(5, 3));
  EXPECT_TRUE(w->Dirty);
  ASSERT_NE(w->LastAction, nullptr);
  Undo();
  EXPECT_EQ(Cell(1, 3), "");
  EXPECT_FALSE(w->CellFull[5][3]);
  EXPECT_EQ(Cell(7, 3), "8.00");
}

TEST_F(UndoTest, OptionClickWithAnEmptyTopCellEmptiesAndOnRowZeroOnlyOpens) {
  Enter(2, 1, "4");
  Enter(6, 1, "4");
  ClickCell(4, 1, "alt");
  EXPECT_FALSE(w->CellFull[2][1]);
  EXPECT_TRUE(w->CellFull[6][1]);

  Enter(5, 2, "1");
  ClickCell(0, 2, "alt");
  EXPECT_TRUE(IsOpen(0, 2));
  EXPECT_TRUE(w->CellFull[5][2]);
  EXPECT_FALSE(w->CellFull[1][2]);
  EXPECT_EQ(w->LastAction, nullptr);
}

TEST_F(UndoTest, TheRowNumberColumnIgnoresClicks) {
  Enter(0, 1, "6");
  LB().EditCell(4, 2);
  ClickCell(3, 0);
  ClickCell(3, 0, "alt");
  EXPECT_TRUE(IsOpen(4, 2));
  EXPECT_EQ(Cell(3, 0), "4");
  EXPECT_EQ(Cell(1, 0), "2");
}

TEST_F(UndoTest, UndoNeverWritesEnteredValuesOverACalculatedColumn) {
  EnterSample();
  w->EFHFormula->SetText("t*10");
  fw::TestHooks::Click(*w->RBHCalculated);
  ASSERT_EQ(Cell(0, 1), "15.00");
  LB().EditCell(0, 3);
  AnswerFill([](class FillSheet& d) { d.PBClear.Push(); });
  Type("f");
  EXPECT_EQ(Cell(0, 3), "");
  Undo();
  EXPECT_EQ(Cell(0, 1), "15.00");
  EXPECT_EQ(Cell(1, 1), "22.50");
  EXPECT_EQ(Cell(0, 3), "7");
  EXPECT_TRUE(IsOpen(0, 3));
  EXPECT_EQ(Cell(0, 4), "0.30");

  // Both calculated: the undo opens no editor.
  w->EFVFormula->SetText("d");
  fw::TestHooks::Click(*w->RBVCalculated);
  auto record = std::make_shared<BigDataAction>(*w);
  record->Undo();
  EXPECT_EQ(LB().ActiveCell(), nullptr);
  EXPECT_EQ(Cell(0, 3), "7.00");
}

TEST_F(UndoTest, TheLimitAndLabelRecordsRestoreTheirFieldsAndDropThemselves) {
  w->EFHMin->SetText("0");
  w->EFHMax->SetText("10");
  w->EFVMin->SetText("-1");
  w->EFVMax->SetText("");
  auto limits = std::make_shared<ClearLimitsAction>(*w);
  for (fw::EditField* f : {w->EFHMin, w->EFHMax, w->EFVMin, w->EFVMax}) f->SetText("");
  w->LastAction = limits;
  limits.reset();
  Undo();
  EXPECT_EQ(w->EFHMin->Text(), "0");
  EXPECT_EQ(w->EFHMax->Text(), "10");
  EXPECT_EQ(w->EFVMin->Text(), "-1");
  EXPECT_EQ(w->EFVMax->Text(), "");
  EXPECT_EQ(w->LastAction, nullptr);
  EXPECT_FALSE(fw::TestHooks::MenuItemEnabled(*w, "EditUndo"));

  w->GrfTeam = "Ann";
  w->GrfTitle = "Fall";
  w->GrfXLabel = "time";
  w->GrfYLabel = "drop";
  w->SlopeUnits = "m/s";
  w->InterceptUnits = "m";
  w->LastAction = std::make_shared<EditLabelAction>(*w);
  w->GrfTeam = w->GrfTitle = w->GrfXLabel = w->GrfYLabel = w->SlopeUnits = w->InterceptUnits = "x";
  Undo();
  EXPECT_EQ(w->GrfTeam, "Ann");
  EXPECT_EQ(w->GrfTitle, "Fall");
  EXPECT_EQ(w->GrfXLabel, "time");
  EXPECT_EQ(w->GrfYLabel, "drop");
  EXPECT_EQ(w->SlopeUnits, "m/s");
  EXPECT_EQ(w->InterceptUnits, "m");
  EXPECT_EQ(w->EFNames->Text(), "Ann");
  EXPECT_EQ(w->LastAction, nullptr);
}

TEST_F(UndoTest, ABulkRecordHoldsTheEnteredTableAndBothFormulas) {
  EnterSample();
  w->EFVFormula->SetText("d^2");
  BigDataAction record(*w);
  EXPECT_EQ(record.theWndo, w);
  EXPECT_DOUBLE_EQ(record.Data[1][1], 2.25);
  EXPECT_TRUE(record.CellFull[0][4]);
  EXPECT_FALSE(record.CellFull[1][2]);
  EXPECT_EQ(record.HFormula, "ln(t)");
  EXPECT_EQ(record.VFormula, "d^2");
}

}  // namespace
