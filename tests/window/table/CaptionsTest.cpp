#include "framework/GroupBox.h"
#include "framework/RadioButton.h"
#include "tests/window/table/TableFixture.h"

namespace {

class CaptionsTest : public TableTest {
 protected:
  // Back to "Names", new names and units, and on to "Data" again.
  void Rename(const std::string& hName, const std::string& hUnits, const std::string& vName,
              const std::string& vUnits) {
    fw::TestHooks::ClickTab(*w->TabPanel1, 0);
    w->EFHName->SetText(hName);
    w->EFHUnits->SetText(hUnits);
    w->EFVName->SetText(vName);
    w->EFVUnits->SetText(vUnits);
    fw::TestHooks::ClickTab(*w->TabPanel1, 1);
  }
};

TEST_F(CaptionsTest, TheFirstVisitNamesTheColumnsAndGivesDefaultFormulas) {
  EXPECT_EQ(w->GBH->Caption(), "t in s");
  EXPECT_EQ(w->GBV->Caption(), "d in m");
  EXPECT_EQ(LB().Heading(0), " ");
  EXPECT_EQ(LB().Heading(1), "value of t");
  EXPECT_EQ(LB().Heading(2), "uncertainty");
  EXPECT_EQ(LB().Heading(3), "value of d");
  EXPECT_EQ(LB().Heading(4), "uncertainty");
  EXPECT_EQ(w->EFHFormula->Text(), "ln(t)");
  EXPECT_EQ(w->EFVFormula->Text(), "ln(d)");
  EXPECT_EQ(w->VHName, "t");
  EXPECT_EQ(w->VVName, "d");
}

TEST_F(CaptionsTest, OnlyNoneCountsAsUnitless) {
  Rename("t", "none", "d", "(none)");
  EXPECT_EQ(w->GBH->Caption(), "t (unitless)");
  EXPECT_EQ(w->GBV->Caption(), "d in (none)");
}

TEST_F(CaptionsTest, RenamingAVariableRenamesItInItsFormulaAndRecalculates) {
  Enter(0, 1, "4");
  Enter(0, 3, "2");
  w->EFHFormula->SetText("t*t+sqrt(t)");
  fw::TestHooks::Click(*w->RBHCalculated);
  ASSERT_EQ(Cell(0, 1), "18.00");
  w->EFVFormula->SetText("d+1");
  Rename("time", "s", "h", "m");
  EXPECT_EQ(w->EFHFormula->Text(), "time*time+sqrt(time)");
  EXPECT_EQ(w->EFVFormula->Text(), "h+1");
  EXPECT_TRUE(w->CalcOK[1]);
  EXPECT_EQ(Cell(0, 1), "18.00");
  EXPECT_EQ(Cell(0, 3), "2.00");
  EXPECT_EQ(LB().Heading(1), "value of time");

  // Unchanged names touch no formula and calculate nothing.
  w->Dirty = false;
  Rename("time", "s", "h", "m");
  EXPECT_EQ(w->EFHFormula->Text(), "time*time+sqrt(time)");
  EXPECT_FALSE(w->Dirty);
}

TEST_F(CaptionsTest, ReplacingANameLeavesFunctionsAndLongerNamesAlone) {
  EXPECT_EQ(DataPage::ReplaceVarName("t*t+sqrt(t)", "time", "t"), "time*time+sqrt(time)");
  EXPECT_EQ(DataPage::ReplaceVarName("ln(ln)", "L", "ln"), "ln(L)");
  EXPECT_EQ(DataPage::ReplaceVarName("tt+t2+t", "x", "t"), "tt+t2+x");
  EXPECT_EQ(DataPage::ReplaceVarName("x*X", "y", "x"), "y*y");
  EXPECT_EQ(DataPage::ReplaceVarName("t^2", "\xCF\x84", "t"), "\xCF\x84^2");
  EXPECT_EQ(DataPage::ReplaceVarName("2*t", "t", ""), "2*t");
  EXPECT_TRUE(DataPage::NotAlphaNum(""));
  EXPECT_TRUE(DataPage::NotAlphaNum("_"));
  EXPECT_FALSE(DataPage::NotAlphaNum("Q"));
  EXPECT_FALSE(DataPage::NotAlphaNum("7"));
}

}  // namespace
