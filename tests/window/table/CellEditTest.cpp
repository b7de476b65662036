#include <memory>

#include "framework/CheckBox.h"
#include "framework/Clipboard.h"
#include "framework/Slider.h"
#include "tests/window/table/TableFixture.h"
#include "window/table/UndoableAction.h"

namespace {

using CellEditTest = TableTest;

TEST_F(CellEditTest, ANewTableHasNinetyNineNumberedEmptyRowsAndOpensItsFirstValue) {
  ASSERT_EQ(LB().RowCount(), 99);
  EXPECT_EQ(Cell(0, 0), "1");
  EXPECT_EQ(Cell(98, 0), "99");
  for (int row = 0; row < 99; ++row) {
    for (int col = 1; col <= 4; ++col) ASSERT_EQ(Cell(row, col), "") << row << "," << col;
  }
  EXPECT_EQ(LB().ColumnAlignment(1), fw::Listbox::AlignRight);
  EXPECT_TRUE(IsOpen(0, 1));
  EXPECT_EQ(w->LastCellRow, 0);
  EXPECT_EQ(w->LastCellCol, 1);
  EXPECT_TRUE(w->PasteOK);
}

TEST_F(CellEditTest, ACommittedValueIsStoredWholeAndShownInItsFormat) {
  Type("3.14159");
  EXPECT_TRUE(w->CellDirty);
  EXPECT_TRUE(w->Dirty);
  Press("Tab");
  EXPECT_TRUE(IsOpen(0, 2));
  EXPECT_EQ(Cell(0, 1), "3.14");
  EXPECT_DOUBLE_EQ(w->Data[0][0][1], 3.14159);
  EXPECT_TRUE(w->CellFull[0][1]);
  EXPECT_FALSE(w->CellDirty);

  // Reopened: the full value, all selected; committed unchanged: the format again.
  auto record = std::make_shared<UndoableAction>();
  w->LastAction = record;
  LB().EditCell(0, 1);
  EXPECT_EQ(Cell(0, 1), "3.14159");
  ASSERT_NE(LB().ActiveCell(), nullptr);
  EXPECT_EQ(LB().ActiveCell()->SelStart(), 0);
  EXPECT_EQ(LB().ActiveCell()->SelLength(), 7);
  Press("Tab");
  EXPECT_EQ(Cell(0, 1), "3.14");
  EXPECT_DOUBLE_EQ(w->Data[0][0][1], 3.14159);
  EXPECT_EQ(w->LastAction, nullptr);
}

TEST_F(CellEditTest, AnyTextMakesACellFullAndOnlyAnEmptyTextEmptiesIt) {
  Enter(0, 1, "abc");
  EXPECT_TRUE(w->CellFull[0][1]);
  EXPECT_EQ(Cell(0, 1), "0.00");
  Enter(1, 1, " ");
  EXPECT_TRUE(w->CellFull[1][1]);
  EXPECT_EQ(Cell(1, 1), "0.00");

  Enter(2, 3, "12.5");
  EXPECT_EQ(Cell(2, 3), "12.50");
  LB().EditCell(2, 3);
  Press("Backspace");
  EXPECT_EQ(Cell(2, 3), "");
  LB().EditCell(2, 4);
  EXPECT_FALSE(w->CellFull[2][3]);
  EXPECT_EQ(Cell(2, 3), "");
}

TEST_F(CellEditTest, ClosingTheEditorForgetsTheCell) {
  w->CBTabAcross->SetFocus();
  EXPECT_EQ(LB().ActiveCell(), nullptr);
  EXPECT_EQ(w->LastCellRow, -1);
  EXPECT_EQ(w->LastCellCol, -1);
  EXPECT_FALSE(w->PasteOK);
  EXPECT_FALSE(fw::TestHooks::MenuItemEnabled(*w, "EditPaste"));
}

TEST_F(CellEditTest, TypingAndPastingDiscardTheFit) {
  w->HaveFit = true;
  Type("4");
  EXPECT_FALSE(w->HaveFit);

  w->HaveFit = true;
  fw::Clipboard::SetText("7.5");
  Press("v", "ctrl");
  EXPECT_FALSE(w->HaveFit);
  Press("Tab");
  EXPECT_DOUBLE_EQ(w->Data[0][0][1], 47.5);
}

TEST_F(CellEditTest, AHeaderClickNeverSortsTheRows) {
  Enter(0, 1, "9");
  Enter(1, 1, "1");
  EXPECT_TRUE(w->Table.LBData_HeaderPressed(1));
  int x = 0, y = 0;
  LB().HeadingCentre(1, &x, &y);
  fw::TestHooks::ClickAt(LB(), x, y);
  EXPECT_EQ(Cell(0, 1), "9.00");
  EXPECT_EQ(Cell(1, 1), "1.00");
}

}  // namespace
