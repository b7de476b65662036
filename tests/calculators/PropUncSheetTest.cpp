#include "calculators/PropUncSheet.h"

#include <gtest/gtest.h>

#include "CalcTestSupport.h"
#include "calculators/RepDatSheet.h"
#include "framework/Listbox.h"
#include "framework/Maths.h"
#include "framework/PopupMenu.h"
#include "framework/Text.h"

namespace th = fw::TestHooks;

namespace {

using Sheet = class PropUncSheet;

class PropUncSheetTest : public testing::Test {
 protected:
  Sheet& Show(const std::function<void(Sheet&)>& answer) {
    fw::Window& parent = NewParentWindow();
    auto& sheet = PropUncSheet();
    th::AnswerNextDialog([&answer](fw::Window& w) { answer(static_cast<Sheet&>(w)); });
    sheet.ShowModalWithin(parent);
    EXPECT_FALSE(sheet.Visible());
    return sheet;
  }

  static void SetRow(Sheet& d, int row, const std::string& name, const std::string& value, const std::string& unc) {
    Field(d, "EFName", row).SetText(name);
    Field(d, "EFValue", row).SetText(value);
    Field(d, "EFUnc", row).SetText(unc);
  }

  static void SetN(Sheet& d, const std::string& n) {
    auto& popup = d.Get<fw::PopupMenu>("PUN");
    for (int i = 0; i < popup.ListCount(); ++i) {
      if (popup.List(i) == n) popup.SetListIndex(i);
    }
  }

  static void ClickFunction(Sheet& d, int row) {
    auto& list = d.Get<fw::Listbox>("LBFuncts");
    int x = 0;
    int y = 0;
    list.CellCentre(row, 0, &x, &y);
    th::ClickAt(list, x, y);
  }
};

TEST_F(PropUncSheetTest, FirstShowing) {
  Show([](Sheet& d) {
    EXPECT_FALSE(d.HaveValue);
    EXPECT_EQ(d.Get<fw::PopupMenu>("PUN").Text(), "1000");
    EXPECT_FALSE(Button(d, "PBCalculate").Enabled());
    EXPECT_FALSE(Button(d, "PBEnter").Enabled());
    EXPECT_FALSE(d.Get<fw::Listbox>("LBFuncts").Enabled());
    EXPECT_TRUE(Field(d, "EFName", 0).HasFocus());
    th::Click(Button(d, "PBCancel"));
  });
  auto& list = PropUncSheet().Get<fw::Listbox>("LBFuncts");
  ASSERT_EQ(list.RowCount(), 28);
  EXPECT_EQ(list.Cell(3, 0), "pow( , )");
  EXPECT_EQ(list.Cell(27, 0), "atanh( )");
}

TEST_F(PropUncSheetTest, OneVariablePropagatesItsUncertainty) {
  auto& sheet = Show([](Sheet& d) {
    SetRow(d, 0, "x", "5", "0.3");
    SetN(d, "10000");
    th::TypeText(Field(d, "EFExpression"), "x");
    EXPECT_TRUE(Button(d, "PBCalculate").Enabled());
    th::PressKey(Field(d, "EFExpression"), "Return");
    EXPECT_EQ(Field(d, "EFExpression").Text(), "x");
    EXPECT_EQ(LabelText(d, "STResult"), "+5.00");
    const std::string unc = LabelText(d, "STUnc");
    EXPECT_TRUE(unc == "0.29" || unc == "0.30" || unc == "0.31") << unc;
    EXPECT_EQ(Field(d, "EFErrorLog").Text(), "");
    EXPECT_TRUE(Button(d, "PBEnter").Enabled());
    th::Click(Button(d, "PBEnter"));
  });
  EXPECT_TRUE(sheet.HaveValue);
  EXPECT_EQ(sheet.theResult, 5.0);
  EXPECT_NEAR(sheet.theUnc, 0.30, 0.0100001);
  // Handed over with the two digits shown.
  EXPECT_EQ(fw::Str(sheet.theUnc), fw::Str(fw::Round(sheet.theUnc * 100) / 100));
}

TEST_F(PropUncSheetTest, ConstantResultsHaveZeroUncertainty) {
  auto& sheet = Show([](Sheet& d) {
    Field(d, "EFExpression").SetText("2+3");
    th::Click(Button(d, "PBCalculate"));
    EXPECT_EQ(LabelText(d, "STResult"), "5.00");
    EXPECT_EQ(LabelText(d, "STUnc"), "0.00");
    EXPECT_TRUE(Button(d, "PBEnter").Enabled());
    th::Click(Button(d, "PBEnter"));
  });
  EXPECT_EQ(sheet.theResult, 5.0);
  EXPECT_EQ(sheet.theUnc, 0.0);

  Show([](Sheet& d) {
    SetRow(d, 0, "x", "1000", "0.02");
    SetN(d, "10000");
    Field(d, "EFExpression").SetText("x");
    th::Click(Button(d, "PBCalculate"));
    th::Click(Button(d, "PBEnter"));
  });
  EXPECT_TRUE(sheet.theUnc == 0.019 || sheet.theUnc == 0.02 || sheet.theUnc == 0.021) << sheet.theUnc;
}

TEST_F(PropUncSheetTest, SkippedRowsAndRepeatedNames) {
  auto& sheet = Show([](Sheet& d) {
    SetRow(d, 0, "a", "10", "0");
    SetRow(d, 1, "", "999", "5");
    SetRow(d, 2, "b", "4", "0");
    SetRow(d, 3, "a", "1", "0");
    Field(d, "EFExpression").SetText("a-b");
    th::Click(Button(d, "PBCalculate"));
    th::Click(Button(d, "PBEnter"));
  });
  EXPECT_EQ(sheet.theResult, 6.0);
  EXPECT_EQ(sheet.theUnc, 0.0);
}

TEST_F(PropUncSheetTest, ErrorsGoToTheLog) {
  Show([](Sheet& d) {
    SetRow(d, 0, "x", "2", "0.1");
    Field(d, "EFExpression").SetText("x");
    th::Click(Button(d, "PBCalculate"));
    EXPECT_TRUE(Button(d, "PBEnter").Enabled());

    Field(d, "EFExpression").SetText("x + y");
    th::Click(Button(d, "PBCalculate"));
    EXPECT_EQ(Field(d, "EFErrorLog").Text(), "Undefined variable\nx+y?");
    EXPECT_EQ(LabelText(d, "STResult"), "");
    EXPECT_EQ(LabelText(d, "STUnc"), "");
    EXPECT_FALSE(Button(d, "PBEnter").Enabled());

    Field(d, "EFExpression").SetText("foo(x)");
    th::Click(Button(d, "PBCalculate"));
    EXPECT_EQ(Field(d, "EFErrorLog").Text(), "Unknown function\nfoo(?x)");

    SetRow(d, 0, "x", "0.01", "0.1");
    Field(d, "EFExpression").SetText("sqrt(x)");
    th::Click(Button(d, "PBCalculate"));
    EXPECT_EQ(Field(d, "EFErrorLog").Text(), "Square root of a negative number");
    EXPECT_EQ(LabelText(d, "STResult"), "");
    EXPECT_FALSE(Button(d, "PBEnter").Enabled());

    SetRow(d, 0, "x", "800", "1");
    Field(d, "EFExpression").SetText("exp(x)");
    th::Click(Button(d, "PBCalculate"));
    EXPECT_EQ(Field(d, "EFErrorLog").Text(), "Result is not a finite number.");
    EXPECT_EQ(LabelText(d, "STResult"), "");
    EXPECT_FALSE(Button(d, "PBEnter").Enabled());

    SetRow(d, 0, "x", "2", "0.1");
    Field(d, "EFExpression").SetText("x^2");
    th::Click(Button(d, "PBCalculate"));
    EXPECT_EQ(Field(d, "EFErrorLog").Text(), "");
    EXPECT_EQ(LabelText(d, "STResult"), "+4.00");
    th::Click(Button(d, "PBCancel"));
  });
}

TEST_F(PropUncSheetTest, FunctionListInsertsAndSelectsTheFirstBlank) {
  Show([](Sheet& d) {
    auto& expression = Field(d, "EFExpression");
    auto& list = d.Get<fw::Listbox>("LBFuncts");
    EXPECT_FALSE(list.Enabled());
    expression.SetFocus();
    EXPECT_TRUE(list.Enabled());

    expression.SetText("a+");
    expression.SetSelStart(2);
    ClickFunction(d, 1);
    EXPECT_EQ(expression.Text(), "a+sqrt( )");
    EXPECT_EQ(expression.SelStart(), 7);
    EXPECT_EQ(expression.SelLength(), 1);
    EXPECT_TRUE(expression.HasFocus());
    th::TypeText(expression, "b");
    EXPECT_EQ(expression.Text(), "a+sqrt(b)");

    // A second click while the blank is selected removes it; only the first
    // blank of a two-argument row is selected.
    expression.SetText("a+");
    expression.SetSelStart(2);
    ClickFunction(d, 1);
    ClickFunction(d, 19);
    EXPECT_EQ(expression.Text(), "a+sqrt()max( , )");
    EXPECT_EQ(expression.SelStart(), 12);
    EXPECT_EQ(expression.SelLength(), 1);
    th::TypeText(expression, "b");
    EXPECT_EQ(expression.Text(), "a+sqrt()max(b, )");
    expression.SetText("a+sqrt(b)");
    expression.SetSelStart(9);

    ClickFunction(d, 6);  // "pi": nothing to select
    EXPECT_EQ(expression.Text(), "a+sqrt(b)pi");
    EXPECT_EQ(expression.SelLength(), 0);

    // A selected part is deleted and the function goes to the end.
    expression.SetText("x*y-z");
    expression.SetSelStart(1);
    expression.SetSelLength(2);
    ClickFunction(d, 3);
    EXPECT_EQ(expression.Text(), "x-zpow( , )");
    EXPECT_EQ(expression.SelStart(), 7);
    EXPECT_EQ(expression.SelLength(), 1);

    // A blank the text already ended with is the one selected.
    expression.SetText("x ");
    expression.SetSelStart(2);
    ClickFunction(d, 0);
    EXPECT_EQ(expression.Text(), "x abs( )");
    EXPECT_EQ(expression.SelStart(), 1);
    EXPECT_EQ(expression.SelLength(), 1);

    // Neither the list nor the log keeps the focus.
    th::Click(Field(d, "EFErrorLog"));
    EXPECT_TRUE(expression.HasFocus());
    Field(d, "EFUnc", 2).SetFocus();
    EXPECT_FALSE(list.Enabled());
    th::Click(Button(d, "PBCancel"));
  });
}

TEST_F(PropUncSheetTest, ClearAllEmptiesEntriesButKeepsNAndTheLog) {
  Show([](Sheet& d) {
    for (int i = 0; i < Sheet::Rows; ++i) {
      SetRow(d, i, "v" + std::to_string(i), "1", "0.1");
    }
    SetN(d, "50");
    Field(d, "EFExpression").SetText("v0+");
    th::Click(Button(d, "PBCalculate"));
    const std::string log = Field(d, "EFErrorLog").Text();
    EXPECT_EQ(log, "Expression should end with an operand\nv0+?");

    th::Click(d.Get<fw::PushButton>("PBClear"));
    for (int i = 0; i < Sheet::Rows; ++i) {
      for (const char* name : {"EFName", "EFValue", "EFUnc"}) {
        EXPECT_EQ(Field(d, name, i).Text(), "") << name << i;
      }
    }
    EXPECT_EQ(Field(d, "EFExpression").Text(), "");
    EXPECT_FALSE(Button(d, "PBCalculate").Enabled());
    EXPECT_FALSE(Button(d, "PBEnter").Enabled());
    EXPECT_EQ(d.Get<fw::PopupMenu>("PUN").Text(), "50");
    EXPECT_EQ(Field(d, "EFErrorLog").Text(), log);
    th::Click(Button(d, "PBCancel"));
  });
}

TEST_F(PropUncSheetTest, RInAValueFieldOpensTheRepeatedMeasurementDialog) {
  Show([](Sheet& d) {
    SetRow(d, 3, "g", "1", "1");
    Field(d, "EFExpression").SetText("g");
    th::Click(Button(d, "PBCalculate"));
    EXPECT_TRUE(Button(d, "PBEnter").Enabled());

    th::AnswerNextDialog([](fw::Window& r) {
      th::TypeText(Field(r, "EFData"), "1,2,3,4,5");
      th::PressKey(Field(r, "EFData"), "Return");
      th::PressKey(Field(r, "EFData"), "Enter");
    });
    th::TypeText(Field(d, "EFValue", 3), "r");
    EXPECT_EQ(Field(d, "EFValue", 3).Text(), "3");
    EXPECT_EQ(Field(d, "EFUnc", 3).Text(), "1.96292842457386");
    EXPECT_EQ(Field(d, "EFName", 3).Text(), "g");
    EXPECT_EQ(LabelText(d, "STResult"), "");
    EXPECT_FALSE(Button(d, "PBEnter").Enabled());
    EXPECT_TRUE(d.Visible());

    // Cancelled: nothing written, and the "r" is still not typed.
    th::AnswerNextDialog([](fw::Window& r) { th::Click(Button(r, "PBCancel")); });
    th::TypeText(Field(d, "EFValue", 3), "r");
    EXPECT_EQ(Field(d, "EFValue", 3).Text(), "3");

    // Elsewhere "r" is a letter.
    Field(d, "EFName", 4).SetFocus();
    th::TypeText(Field(d, "EFName", 4), "r");
    EXPECT_EQ(Field(d, "EFName", 4).Text(), "r");
    th::TypeText(Field(d, "EFUnc", 4), "r");
    EXPECT_EQ(Field(d, "EFUnc", 4).Text(), "r");
    th::Click(Button(d, "PBCancel"));
  });
  EXPECT_EQ(th::DialogsShown(), 3);
  EXPECT_EQ(th::UnansweredDialogs(), 0);
}

TEST_F(PropUncSheetTest, ReturnAndEnterRules) {
  auto& sheet = Show([](Sheet& d) {
    th::PressKey(Field(d, "EFExpression"), "Return");
    EXPECT_EQ(Field(d, "EFErrorLog").Text(), "");
    EXPECT_TRUE(d.Visible());

    SetRow(d, 0, "x", "2", "0.1");
    th::TypeText(Field(d, "EFExpression"), "x*3");
    th::PressKey(Field(d, "EFExpression"), "Enter");
    EXPECT_TRUE(d.Visible());
    EXPECT_EQ(LabelText(d, "STResult"), "");

    th::PressKey(Field(d, "EFName", 2), "Return");  // the default button
    EXPECT_EQ(LabelText(d, "STResult"), "+6.00");
    th::PressKey(Field(d, "EFName", 2), "Enter");
    EXPECT_FALSE(d.Visible());
  });
  EXPECT_TRUE(sheet.HaveValue);
  EXPECT_EQ(sheet.theResult, 6.0);
}

TEST_F(PropUncSheetTest, EditsAfterACalculationWithdrawTheResult) {
  Show([](Sheet& d) {
    SetRow(d, 0, "x", "2", "0.1");
    Field(d, "EFExpression").SetText("x");
    th::Click(Button(d, "PBCalculate"));
    EXPECT_TRUE(Button(d, "PBEnter").Enabled());
    th::TypeText(Field(d, "EFUnc", 0), "5");
    EXPECT_EQ(LabelText(d, "STResult"), "");
    EXPECT_EQ(LabelText(d, "STUnc"), "");
    EXPECT_FALSE(Button(d, "PBEnter").Enabled());
    EXPECT_TRUE(Button(d, "PBCalculate").Enabled());
    th::Click(Button(d, "PBEnter"));
    EXPECT_TRUE(d.Visible());
    th::Click(Button(d, "PBCancel"));
  });
}

TEST_F(PropUncSheetTest, EntriesPersistAndNoOldResultSurvivesAShowing) {
  auto& sheet = Show([](Sheet& d) {
    SetRow(d, 1, "t", "2.5", "0.1");
    SetN(d, "100");
    Field(d, "EFExpression").SetText("t*2");
    th::Click(Button(d, "PBCalculate"));
    th::Click(Button(d, "PBEnter"));
  });
  EXPECT_TRUE(sheet.HaveValue);

  Show([](Sheet& d) {
    EXPECT_FALSE(d.HaveValue);
    EXPECT_EQ(Field(d, "EFName", 1).Text(), "t");
    EXPECT_EQ(Field(d, "EFValue", 1).Text(), "2.5");
    EXPECT_EQ(Field(d, "EFUnc", 1).Text(), "0.1");
    EXPECT_EQ(Field(d, "EFExpression").Text(), "t*2");
    EXPECT_EQ(d.Get<fw::PopupMenu>("PUN").Text(), "100");
    EXPECT_EQ(LabelText(d, "STResult"), "");
    EXPECT_FALSE(Button(d, "PBEnter").Enabled());
    EXPECT_TRUE(Button(d, "PBCalculate").Enabled());
    th::Click(Button(d, "PBCalculate"));
    th::PressKey(Field(d, "EFName", 0), "Escape");
  });
  EXPECT_FALSE(sheet.HaveValue);

  Show([](Sheet& d) {
    th::Click(Button(d, "PBCalculate"));
    th::ClickCloseBox(d);
  });
  EXPECT_FALSE(sheet.HaveValue);
}

}  // namespace
