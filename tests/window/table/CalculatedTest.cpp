#include <cmath>
#include <string>

#include "engine/Evaluator.h"
#include "engine/GlobalFuncts.h"
#include "framework/PopupMenu.h"
#include "framework/RadioButton.h"
#include "tests/window/table/TableFixture.h"
#include "window/table/UndoableAction.h"

namespace {

class CalculatedTest : public TableTest {
 protected:
  void FillDown(int col, const std::string& value, int rows) {
    LB().EditCell(0, col);
    AnswerFill([&](class FillSheet& d) {
      d.EFValue.SetText(value);
      d.EFNRows.SetText(std::to_string(rows));
      d.PBFill.Push();
    });
    Type("f");
    Press("Tab");
  }
  // Chooses "Data calculated using:" for the horizontal variable, then types
  // the formula and presses Return, as a user does.
  void CalculateH(const std::string& formula) {
    fw::TestHooks::Click(*w->RBHCalculated);
    w->EFHFormula->SelectAll();
    fw::TestHooks::TypeText(*w->EFHFormula, formula);
    fw::TestHooks::PressKey(*w->EFHFormula, "Return");
  }
  double MeanUnc(int col, int rows) const {
    double sum = 0;
    for (int r = 0; r < rows; ++r) sum += w->Data[1][r][col + 1];
    return sum / rows;
  }
};

TEST_F(CalculatedTest, ALinearFormulaOfFiveWithItsUncertaintyGivesElevenAndTwiceTheSpread) {
  FillDown(1, "5", 99);
  FillDown(2, "0.98", 99);
  CalculateH("2*t+1");
  EXPECT_TRUE(w->CalcOK[1]);
  EXPECT_TRUE(w->CalcOK[2]);
  for (int r = 0; r < 99; ++r) {
    ASSERT_EQ(Cell(r, 1), "11.00") << r;
    ASSERT_DOUBLE_EQ(w->Data[1][r][1], 11.0);
  }
  double mean = MeanUnc(1, 99);
  EXPECT_GE(mean, 1.94);
  EXPECT_LE(mean, 1.98);
  EXPECT_EQ(Cell(0, 2), GlobalFuncts::Reformat(w->Data[1][0][2], 2));
  // Every calculation draws new trials: the same values, other uncertainties.
  double first = w->Data[1][0][2];
  fw::TestHooks::PressKey(*w->EFHFormula, "Return");
  EXPECT_DOUBLE_EQ(w->Data[1][0][1], 11.0);
  EXPECT_NE(w->Data[1][0][2], first);
  // Entered data stay as they were.
  EXPECT_DOUBLE_EQ(w->Data[0][50][1], 5.0);
  EXPECT_EQ(w->Table.Displayed(1, 1), 1);
  EXPECT_EQ(w->Table.Displayed(3, 1), 0);
}

TEST_F(CalculatedTest, UncertaintiesAreFiniteForConstantsAndLargeValues) {
  Enter(0, 1, "299792458");
  Enter(0, 2, "1.96");
  Enter(1, 1, "3");
  Enter(1, 2, "0.5");
  CalculateH("t");
  EXPECT_NEAR(w->Data[1][0][2], 1.96, 0.15);
  EXPECT_NEAR(w->Data[1][1][2], 0.5, 0.05);
  CalculateH("5");
  EXPECT_EQ(w->Data[1][0][2], 0.0);
  EXPECT_EQ(Cell(0, 2), "0.00");
  EXPECT_EQ(Cell(0, 1), "5.00");
}

TEST_F(CalculatedTest, HugeResultsKeepTheirSpread) {
  // The squared deviations of these results overflow a double.
  Enter(0, 1, "400");
  Enter(0, 2, "0.0196");
  CalculateH("exp(t)");
  ASSERT_TRUE(w->CalcOK[1]);
  EXPECT_NEAR(w->Data[1][0][2] / std::exp(400.0), 0.0196, 0.002);

  fw::TestHooks::Click(*w->RBHEntered);
  Enter(0, 1, "4");
  Enter(0, 2, "0.98");
  CalculateH("t*1e200");
  ASSERT_TRUE(w->CalcOK[1]);
  EXPECT_DOUBLE_EQ(w->Data[1][0][1], 4e200);
  EXPECT_NEAR(w->Data[1][0][2] / 1e200, 0.98, 0.1);
}

TEST_F(CalculatedTest, RowsWithoutAnUncertaintyOrAValueAreHandledRowByRow) {
  Enter(0, 1, "4");
  Enter(1, 1, "9");
  Enter(1, 2, "0");
  Enter(2, 2, "0.7");
  CalculateH("sqrt(t)");
  EXPECT_EQ(Cell(0, 1), "2.00");
  EXPECT_EQ(Cell(0, 2), "");
  EXPECT_EQ(w->Data[1][0][2], 0.0);
  EXPECT_EQ(Cell(1, 1), "3.00");
  EXPECT_EQ(Cell(1, 2), "0.00");
  // No value: the entered uncertainty cell shows 0, never an old figure.
  EXPECT_EQ(Cell(2, 1), "");
  EXPECT_EQ(Cell(2, 2), "0.00");
  EXPECT_EQ(w->Data[1][2][2], 0.0);
}

TEST_F(CalculatedTest, ARunTimeErrorIsShownOnceAndClearsThePair) {
  Enter(0, 1, "2");
  Enter(0, 2, "0.1");
  Enter(1, 1, "0");
  AnswerWarning();
  fw::TestHooks::Click(*w->RBHCalculated);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "Logarithm of a nonpositive number");
  EXPECT_EQ(fw::TestHooks::DialogsShown(), 1);
  EXPECT_FALSE(w->CalcOK[1]);
  EXPECT_TRUE(w->FoundRunError);
  EXPECT_EQ(Cell(0, 1), "");
  EXPECT_EQ(Cell(0, 2), "");
  EXPECT_TRUE(w->RBHCalculated->Value());
  EXPECT_EQ(w->EFHFormula->Text(), "ln(t)");
  EXPECT_EQ(w->Table.Displayed(1, 1), -1);
}

TEST_F(CalculatedTest, ResultsThatAreNotFiniteFailLikeRunTimeErrors) {
  Enter(0, 1, "1");
  Enter(1, 1, "2");
  for (const char* formula : {"exp(1000*t)", "(t-1)^-1"}) {
    messages.clear();
    AnswerWarning();
    CalculateH(formula);
    ASSERT_EQ(messages.size(), 1u) << formula;
    EXPECT_EQ(messages[0], "Result is not a finite number");
    EXPECT_FALSE(w->CalcOK[1]);
    EXPECT_EQ(Cell(1, 1), "");
  }
}

TEST_F(CalculatedTest, ACompileErrorShowsTheEnginesMessageOnce) {
  Enter(0, 1, "2");
  Evaluator e;
  e.DefineVariable("t");
  ASSERT_FALSE(e.CompiledOK("2*(t"));
  CalculateH("2*t");
  AnswerWarning();
  w->EFHFormula->SelectAll();
  fw::TestHooks::TypeText(*w->EFHFormula, "2*(t");
  fw::TestHooks::PressKey(*w->EFHFormula, "Enter");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], e.ErrorMessage);
  EXPECT_TRUE(w->FoundCompError);
  EXPECT_FALSE(w->CalcOK[1]);
  EXPECT_EQ(Cell(0, 1), "");
}

TEST_F(CalculatedTest, EditingTheFormulaClearsTheCalculatedPair) {
  Enter(0, 1, "3");
  Enter(0, 2, "0.2");
  CalculateH("t*t");
  ASSERT_EQ(Cell(0, 1), "9.00");
  w->Dirty = false;
  w->GotGraph = true;
  w->HaveFit = true;
  w->EFHFormula->SetSelStart(3);
  fw::TestHooks::TypeText(*w->EFHFormula, "+1");
  EXPECT_FALSE(w->CalcOK[1]);
  EXPECT_EQ(Cell(0, 1), "");
  EXPECT_EQ(Cell(0, 2), "");
  EXPECT_TRUE(w->Dirty);
  EXPECT_FALSE(w->GotGraph);
  EXPECT_FALSE(w->HaveFit);

  // Return calculates and keeps the undo record; choosing the button drops it.
  auto record = std::make_shared<UndoableAction>();
  w->LastAction = record;
  fw::TestHooks::PressKey(*w->EFHFormula, "Return");
  EXPECT_EQ(Cell(0, 1), "10.00");
  EXPECT_EQ(w->LastAction, record);
  fw::TestHooks::Click(*w->RBHCalculated);
  EXPECT_EQ(w->LastAction, nullptr);
}

TEST_F(CalculatedTest, ShowingEnteredDataAgainReopensTheFirstValue) {
  Enter(0, 1, "3");
  Enter(0, 2, "0.2");
  CalculateH("t*t");
  fw::TestHooks::Click(*w->RBHEntered);
  EXPECT_EQ(Cell(0, 1), "3");
  EXPECT_TRUE(IsOpen(0, 1));
  EXPECT_EQ(Cell(0, 2), "0.20");
  EXPECT_FALSE(w->CalcOK[1]);
  EXPECT_TRUE(w->CalcOK[2]);
  EXPECT_FALSE(w->EFHFormula->Enabled());
  EXPECT_DOUBLE_EQ(w->Data[1][0][1], 9.0);
}

TEST_F(CalculatedTest, AFormatChangeRewritesTheDisplayedSet) {
  Enter(0, 1, "3");
  Enter(0, 3, "2.5");
  CalculateH("t/4");
  w->PUHFormat->SetListIndex(3);
  EXPECT_EQ(Cell(0, 1), "0.750");
  w->PUVFormat->SetListIndex(8);
  EXPECT_EQ(Cell(0, 3), "2.50e+0");
  w->ProtectChange = true;
  w->PUHFormat->SetListIndex(0);
  w->ProtectChange = false;
  EXPECT_EQ(Cell(0, 1), "0.750");
}

}  // namespace
