#include <string>

#include "framework/Text.h"
#include "tests/window/table/TableFixture.h"
#include "window/table/UndoableAction.h"

namespace {

class FillTest : public TableTest {
 protected:
  // Presses "f" in the open cell and answers the dialog.
  void Fill(std::function<void(class FillSheet&)> answer) {
    AnswerFill(std::move(answer));
    Type("f");
  }
  void FillDown(const std::string& value, const std::string& rows) {
    Fill([&](class FillSheet& d) {
      d.EFValue.SetText(value);
      d.EFNRows.SetText(rows);
      d.PBFill.Push();
    });
  }
  // The dialog's error line after pressing a button with the given texts.
  std::string SequenceError(const std::string& from, const std::string& to, const std::string& step,
                            int nRows = 99) {
    class FillSheet& d = FillSheet();
    d.NRows = nRows;
    d.EFFrom.SetText(from);
    d.EFTo.SetText(to);
    d.EFStep.SetText(step);
    d.PBSeq.Push();
    return d.STError.Text();
  }
};

TEST_F(FillTest, ThePresetSequenceFillsTenRowsFromTheOpenCell) {
  Fill([](class FillSheet& d) {
    EXPECT_EQ(d.EFFrom.Text(), "1");
    EXPECT_EQ(d.EFTo.Text(), "10");
    EXPECT_EQ(d.EFStep.Text(), "1");
    EXPECT_EQ(d.EFNRows.Text(), "1");
    EXPECT_EQ(d.NRows, 99);
    EXPECT_EQ(d.Focus(), &d.EFFrom);
    EXPECT_EQ(d.EFFrom.SelLength(), 1);
    EXPECT_TRUE(fw::TestHooks::SaveScreenshot(d, "fill_dialog.png"));
    d.PBSeq.Push();
  });
  for (int r = 1; r < 10; ++r) EXPECT_EQ(Cell(r, 1), fw::Str(r + 1) + ".00");
  EXPECT_EQ(Cell(0, 1), "1");
  EXPECT_EQ(Cell(10, 1), "");
  EXPECT_TRUE(w->CellDirty);
  EXPECT_TRUE(w->Dirty);
  ASSERT_NE(w->LastAction, nullptr);
  Press("Tab");
  EXPECT_EQ(Cell(0, 1), "1.00");

  LB().EditCell(5, 3);
  Fill([](class FillSheet& d) {
    EXPECT_EQ(d.NRows, 94);
    d.PBSeq.Push();
  });
  EXPECT_EQ(Cell(6, 3), "2.00");
  EXPECT_EQ(Cell(14, 3), "10.00");
  EXPECT_EQ(Cell(15, 3), "");
  EXPECT_EQ(Cell(4, 3), "");
  ASSERT_TRUE(fw::TestHooks::ChooseMenu(*w, "EditUndo"));
  EXPECT_EQ(Cell(6, 3), "");
  EXPECT_FALSE(w->CellFull[5][3]);
  EXPECT_EQ(Cell(9, 1), "10.00");
}

TEST_F(FillTest, ASequenceKeepsItsLastValueDespiteRounding) {
  Fill([](class FillSheet& d) {
    d.EFFrom.SetText("0");
    d.EFTo.SetText("0.3");
    d.EFStep.SetText("0.1");
    d.PBSeq.Push();
  });
  EXPECT_EQ(Cell(3, 1), "0.30");
  EXPECT_EQ(Cell(4, 1), "");
  EXPECT_EQ(FillSheet::SequenceSteps(0, 0.3, 0.1), 3);
  // Ten values fit ten rows, not nine.
  EXPECT_EQ(SequenceError("1", "10", "1", 10), "");
  EXPECT_EQ(SequenceError("1", "10", "1", 9), "Sequence has more values than there are rows.");
  EXPECT_EQ(SequenceError("0", "0.3", "0.1", 4), "");
  EXPECT_EQ(SequenceError("0", "0.3", "0.1", 3), "Sequence has more values than there are rows.");
}

TEST_F(FillTest, EverySequenceProblemHasItsMessage) {
  EXPECT_EQ(SequenceError("1", "10", ""), "Step size must be nonzero.");
  EXPECT_EQ(SequenceError("4", "4", "1"), "Range must be larger than zero.");
  EXPECT_EQ(SequenceError("1", "10", "-1"), "Step should be positive if range is positive");
  EXPECT_EQ(SequenceError("10", "1", "1"), "Step should be negative if range is negative");
  EXPECT_EQ(SequenceError("", "10", "1"), "All items must be filled in");
  EXPECT_EQ(SequenceError("1e999", "1e999", "1"), "Sequence has more values than there are rows.");
  EXPECT_TRUE(fw::TestHooks::SaveScreenshot(FillSheet(), "fill_dialog_error.png"));
}

TEST_F(FillTest, FillDownWritesOneValueOrBlanksForTheRowsAsked) {
  LB().EditCell(2, 1);
  FillDown("3.14159", "3");
  EXPECT_EQ(Cell(3, 1), "3.14");
  EXPECT_EQ(Cell(4, 1), "3.14");
  EXPECT_EQ(Cell(5, 1), "");
  // The open cell holds the value itself, so its commit does not round it.
  EXPECT_EQ(Cell(2, 1), "3.14159");
  Press("Tab");
  EXPECT_DOUBLE_EQ(w->Data[0][2][1], 3.14159);
  EXPECT_EQ(Cell(2, 1), "3.14");

  LB().EditCell(3, 1);
  FillDown("", "3");
  EXPECT_FALSE(w->CellFull[3][1]);
  EXPECT_FALSE(w->CellFull[4][1]);
  EXPECT_TRUE(w->CellFull[2][1]);
  EXPECT_EQ(Cell(4, 1), "");
  ASSERT_TRUE(fw::TestHooks::ChooseMenu(*w, "EditUndo"));
  EXPECT_TRUE(w->CellFull[4][1]);
  EXPECT_EQ(Cell(4, 1), "3.14");
  EXPECT_DOUBLE_EQ(w->Data[0][3][1], 3.14159);
}

TEST_F(FillTest, ReturnAndEnterInTheDialogsFieldsBeepAndPressNoButton) {
  Fill([](class FillSheet& d) {
    int beeps = fw::TestHooks::BeepCount();
    fw::TestHooks::PressKey(d.EFFrom, "Return");
    fw::TestHooks::PressKey(d.EFTo, "Enter");
    fw::TestHooks::PressKey(d.EFValue, "Return");
    fw::TestHooks::PressKey(d.EFNRows, "Enter");
    EXPECT_EQ(fw::TestHooks::BeepCount(), beeps + 4);
    EXPECT_TRUE(d.Visible());
    EXPECT_EQ(d.ReturnCode, 0);
    d.PBClear.Push();
  });
  EXPECT_EQ(FillSheet().ReturnCode, 2);
}

TEST_F(FillTest, FillDownChecksTheRowCount) {
  class FillSheet& d = FillSheet();
  d.NRows = 40;
  d.EFNRows.SetText("150");
  d.PBFill.Push();
  EXPECT_EQ(d.EFNRows.Text(), "40");
  EXPECT_EQ(d.STError.Text(), "You specified more rows than are left. Is this number of rows OK?");
  d.PBFill.Push();
  EXPECT_EQ(d.ReturnCode, 3);
  EXPECT_EQ(d.NRows, 40);
  EXPECT_EQ(d.STError.Text(), "");

  for (const char* count : {"0", ""}) {
    d.NRows = 40;
    d.EFNRows.SetText(count);
    d.PBFill.Push();
    EXPECT_EQ(d.STError.Text(), "You must specify some number of rows") << count;
  }
  // Too large for an integer: still a count of too many rows.
  d.EFNRows.SetText("99999999999");
  d.PBFill.Push();
  EXPECT_EQ(d.EFNRows.Text(), "40");
}

TEST_F(FillTest, ClearEmptiesTheColumnDownAndUndoBringsItBack) {
  EnterColumn(1, 20, "2");
  LB().EditCell(5, 1);
  Fill([](class FillSheet& d) { d.PBClear.Push(); });
  EXPECT_EQ(Cell(4, 1), "2.00");
  for (int r = 5; r < 99; ++r) ASSERT_FALSE(w->CellFull[r][1]) << r;
  EXPECT_EQ(Cell(19, 1), "");
  ASSERT_TRUE(fw::TestHooks::ChooseMenu(*w, "EditUndo"));
  for (int r = 0; r < 20; ++r) ASSERT_TRUE(w->CellFull[r][1]) << r;
  EXPECT_EQ(Cell(19, 1), "2.00");
  EXPECT_FALSE(w->CellFull[20][1]);
}

TEST_F(FillTest, CancellingStillDiscardsTheFitAndTheUndoRecord) {
  for (int way = 0; way < 3; ++way) {
    w->HaveFit = true;
    w->Dirty = false;
    w->LastAction = std::make_shared<UndoableAction>();
    FillSheet().ReturnCode = 2;
    Fill([way](class FillSheet& d) {
      if (way == 0) d.PBCancel.Push();
      if (way == 1) fw::TestHooks::PressKey(d, "Escape");
      if (way == 2) fw::TestHooks::ClickCloseBox(d);
    });
    EXPECT_FALSE(w->HaveFit);
    EXPECT_TRUE(w->Dirty);
    EXPECT_EQ(w->LastAction, nullptr);
    EXPECT_EQ(FillSheet().ReturnCode, 0);
    EXPECT_FALSE(fw::TestHooks::MenuItemEnabled(*w, "EditUndo"));
    EXPECT_EQ(Cell(1, 1), "");
  }
}

TEST_F(FillTest, TheDialogNamesTheDocumentAndEscapeInAnyFieldCancelsWithoutABeep) {
  Enter(0, 1, "4");
  LB().EditCell(0, 1);
  w->SetTitle("pendulum.gdx");
  for (const char* name : {"EFFrom", "EFTo", "EFStep", "EFValue", "EFNRows"}) {
    bool left = false;
    int beeps = 0;
    Fill([&](class FillSheet& d) {
      EXPECT_EQ(d.ShownTitle(), "pendulum.gdx");
      auto& field = d.Get<fw::EditField>(name);
      field.SetFocus();
      beeps = fw::TestHooks::BeepCount();
      fw::TestHooks::PressKey(field, "Escape");
      left = !d.Visible();
    });
    EXPECT_TRUE(left) << name;
    EXPECT_EQ(fw::TestHooks::BeepCount(), beeps) << name;
    EXPECT_EQ(FillSheet().ReturnCode, 0);
  }
  EXPECT_EQ(fw::TestHooks::UnansweredDialogs(), 0);
  EXPECT_TRUE(w->CellFull[0][1]);
  EXPECT_FALSE(w->CellFull[1][1]);
}

TEST_F(FillTest, TheNumberFieldsRefuseKeysThatCannotMakeANumber) {
  class FillSheet& d = FillSheet();
  d.EFFrom.SetText("1");
  int beeps = fw::TestHooks::BeepCount();
  d.EFFrom.SetFocus();
  d.EFFrom.SelectAll();
  fw::TestHooks::TypeText(d.EFFrom, "-");
  EXPECT_EQ(d.EFFrom.Text(), "1");
  EXPECT_EQ(fw::TestHooks::BeepCount(), beeps + 1);
  d.EFFrom.SetText("");
  fw::TestHooks::TypeText(d.EFFrom, "-1e-5e.2.-");
  EXPECT_EQ(d.EFFrom.Text(), "-1e-5.2");
  EXPECT_EQ(fw::TestHooks::BeepCount(), beeps + 4);

  for (const char* key : {"\r", "\x03", "\x1e", "\x1f", "\x7f", "x", "E"}) {
    EXPECT_FALSE(FillSheet::ValidForDouble(key, "2e")) << int(key[0]);
  }
  for (const char* key : {"7", "\x08", "\t", "\x1c", "\x1d", "+"}) {
    EXPECT_TRUE(FillSheet::ValidForDouble(key, "2e")) << int(key[0]);
  }
  EXPECT_TRUE(FillSheet::ValidForInteger("0"));
  EXPECT_TRUE(FillSheet::ValidForInteger("\x08"));
  EXPECT_FALSE(FillSheet::ValidForInteger("."));
  EXPECT_FALSE(FillSheet::ValidForInteger("-"));
}

}  // namespace
