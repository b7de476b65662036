#include <memory>
#include <string>

#include "framework/GroupBox.h"
#include "framework/Listbox.h"
#include "framework/RadioButton.h"
#include "framework/Slider.h"
#include "framework/TabPanel.h"
#include "tests/window/ShellFixture.h"
#include "window/table/ClearNamesAction.h"
#include "window/table/UndoableAction.h"

namespace {

class PageSwitchTest : public ShellTest {
 protected:
  // A record that only proves whether the page change kept or dropped it.
  std::shared_ptr<UndoableAction> HoldRecord(MainWndo& w) {
    auto record = std::make_shared<UndoableAction>();
    w.LastAction = record;
    return record;
  }
};

TEST_F(PageSwitchTest, EachMissingFieldIsReportedInOrderAndFocused) {
  struct Case {
    const char* team;
    const char* hName;
    const char* hUnits;
    const char* vName;
    const char* vUnits;
    const char* focused;
  };
  for (const Case& c : {Case{"", "", "", "", "", "EFNames"}, Case{"Ann", "", "", "", "", "EFHName"},
                        Case{"Ann", "", "s", "", "", "EFHName"}, Case{"Ann", "t", "", "", "", "EFHUnits"},
                        Case{"Ann", "t", "s", "", "m", "EFVName"}, Case{"Ann", "t", "s", "d", "", "EFVUnits"}}) {
    MainWndo& w = OpenWindow();
    FillNames(w, c.team, c.hName, c.hUnits, c.vName, c.vUnits);
    auto record = HoldRecord(w);
    messages.clear();
    AnswerWarning();
    fw::TestHooks::ClickTab(*w.TabPanel1, 1);
    ASSERT_EQ(messages.size(), 1u) << c.focused;
    EXPECT_EQ(messages[0].text, kNamesReminder);
    EXPECT_EQ(messages[0].button, "OK, OK");
    EXPECT_EQ(w.TabPanel1->Value(), 0);
    EXPECT_EQ(w.OldPage, 0);
    ASSERT_NE(w.Focus(), nullptr);
    EXPECT_EQ(w.Focus()->Name(), c.focused);
    EXPECT_EQ(w.LastAction, record);
    w.CloseNow();
  }
}

TEST_F(PageSwitchTest, EqualNamesAreRefusedWithTheVerticalNameSelected) {
  MainWndo& w = OpenWindow();
  FillNames(w, "Ann", "t", "s", "t", "m");
  auto record = HoldRecord(w);
  AnswerWarning();
  fw::TestHooks::ClickTab(*w.TabPanel1, 1);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text, "The variables must have distinct names");
  EXPECT_EQ(messages[0].button, "OK");
  EXPECT_EQ(w.TabPanel1->Value(), 0);
  EXPECT_EQ(w.Focus(), w.EFVName);
  EXPECT_EQ(w.EFVName->SelStart(), 0);
  EXPECT_EQ(w.EFVName->SelLength(), 1);
  EXPECT_EQ(w.LastAction, record);
}

TEST_F(PageSwitchTest, NamesDifferingOnlyInCaseCountAsEqualAndBlanksCountAsText) {
  MainWndo& w = OpenWindow();
  FillNames(w, "Ann", "Time", "s", "time", "m");
  EXPECT_FALSE(w.NamesOK());
  FillNames(w, " ", "x", " ", "y", " ");
  EXPECT_TRUE(w.NamesOK());
}

TEST_F(PageSwitchTest, GraphIsRefusedLikeDataWhenNamesAreMissing) {
  MainWndo& w = OpenWindow();
  FillNames(w, "Ann", "t", "s", "d", "");
  AnswerWarning();
  fw::TestHooks::ClickTab(*w.TabPanel1, 2);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text, kNamesReminder);
  EXPECT_EQ(w.TabPanel1->Value(), 0);
  EXPECT_EQ(w.Focus(), w.EFVUnits);
}

TEST_F(PageSwitchTest, AcceptedChangeDropsTheRecordAndOpensTheFirstValueCell) {
  MainWndo& w = OpenWindow();
  FillNames(w, "Ann", "t", "s", "d", "m");
  HoldRecord(w);
  fw::TestHooks::ClickTab(*w.TabPanel1, 1);
  EXPECT_EQ(fw::TestHooks::DialogsShown(), 0);
  EXPECT_EQ(w.TabPanel1->Value(), 1);
  EXPECT_EQ(w.OldPage, 1);
  EXPECT_EQ(w.LastAction, nullptr);
  EXPECT_EQ(w.LBData->EditRow(), 0);
  EXPECT_EQ(w.LBData->EditColumn(), 1);
  EXPECT_EQ(w.VHName, "t");
  EXPECT_EQ(w.VVName, "d");
}

TEST_F(PageSwitchTest, OptionClickOnDataFillsTestNamesPastTheCheck) {
  MainWndo& w = OpenWindow();
  FillNames(w, "Ann", "", "", "", "");
  w.Dirty = false;
  fw::TestHooks::ClickTab(*w.TabPanel1, 1, "alt");
  EXPECT_EQ(fw::TestHooks::DialogsShown(), 0);
  EXPECT_EQ(w.TabPanel1->Value(), 1);
  EXPECT_EQ(w.EFNames->Text(), "test");
  EXPECT_EQ(w.EFHName->Text(), "x");
  EXPECT_EQ(w.EFVName->Text(), "y");
  EXPECT_EQ(w.EFHUnits->Text(), "none");
  EXPECT_EQ(w.EFVUnits->Text(), "none");
  EXPECT_TRUE(w.Dirty);
  EXPECT_EQ(w.LBData->EditColumn(), 1);
}

TEST_F(PageSwitchTest, OptionLeavesACompletePageAndTheGraphCheckAlone) {
  MainWndo& w = OpenWindow();
  FillNames(w, "Ann", "t", "s", "d", "m");
  fw::TestHooks::ClickTab(*w.TabPanel1, 1, "alt");
  EXPECT_EQ(w.TabPanel1->Value(), 1);
  EXPECT_EQ(w.EFNames->Text(), "Ann");
  EXPECT_EQ(w.EFHName->Text(), "t");
  EXPECT_EQ(w.EFVUnits->Text(), "m");

  MainWndo& empty = OpenWindow();
  AnswerWarning();
  fw::TestHooks::ClickTab(*empty.TabPanel1, 2, "alt");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].button, "OK, OK");
  EXPECT_EQ(empty.TabPanel1->Value(), 0);
  EXPECT_EQ(empty.EFNames->Text(), "");
}

TEST_F(PageSwitchTest, LeavingDataOrGraphRunsNoNamesCheckButDropsTheRecord) {
  MainWndo& w = OpenWindow();
  FillNames(w, "Ann", "t", "s", "d", "m");
  GiveTwoPoints(w);
  fw::TestHooks::ClickTab(*w.TabPanel1, 1);
  w.EFNames->SetText("");
  HoldRecord(w);
  fw::TestHooks::ClickTab(*w.TabPanel1, 2);
  EXPECT_EQ(fw::TestHooks::DialogsShown(), 0);
  EXPECT_EQ(w.TabPanel1->Value(), 2);
  EXPECT_EQ(w.OldPage, 2);
  EXPECT_EQ(w.LastAction, nullptr);
  HoldRecord(w);
  fw::TestHooks::ClickTab(*w.TabPanel1, 0);
  EXPECT_EQ(w.TabPanel1->Value(), 0);
  EXPECT_EQ(w.OldPage, 0);
  EXPECT_EQ(w.LastAction, nullptr);
}

TEST_F(PageSwitchTest, EnterButtonAndReturnKeyActAsTheDataTab) {
  MainWndo& w = OpenWindow();
  FillNames(w, "Ann", "t", "", "d", "m");
  AnswerWarning();
  w.PBEnter->Push();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text, kNamesReminder);
  EXPECT_EQ(w.TabPanel1->Value(), 0);
  EXPECT_EQ(w.Focus(), w.EFHUnits);

  fw::TestHooks::TypeText(*w.EFHUnits, "s");
  fw::TestHooks::PressKey(*w.EFHUnits, "Return");
  EXPECT_EQ(w.TabPanel1->Value(), 1);
  EXPECT_EQ(w.LBData->EditColumn(), 1);
}

TEST_F(PageSwitchTest, EnteringDataWhileATeamIsShownFocusesNothing) {
  MainWndo& w = OpenWindow();
  FillNames(w, "Ann", "t", "s", "d", "m");
  w.SDDatDspd->SetValue(5);
  fw::TestHooks::ClickTab(*w.TabPanel1, 1);
  EXPECT_EQ(w.TabPanel1->Value(), 1);
  EXPECT_EQ(w.LBData->ActiveCell(), nullptr);
  EXPECT_EQ(w.Focus(), nullptr);
}

TEST_F(PageSwitchTest, NamesFieldEditsMarkTheDocumentAndDropRecordAndGraph) {
  MainWndo& w = OpenWindow();
  for (fw::EditField* f : {w.EFNames, w.EFHName, w.EFHUnits, w.EFVName, w.EFVUnits}) {
    HoldRecord(w);
    w.Dirty = false;
    w.GotGraph = true;
    fw::TestHooks::TypeText(*f, "a");
    EXPECT_EQ(w.LastAction, nullptr) << f->Name();
    EXPECT_TRUE(w.Dirty) << f->Name();
    EXPECT_FALSE(w.GotGraph) << f->Name();
  }
}

TEST_F(PageSwitchTest, ClearNamesIsUndoneByEditUndoUntilTheNextEdit) {
  MainWndo& w = OpenWindow();
  FillNames(w, "Ann", "t", "s", "d", "m");
  w.Dirty = false;
  w.PBClearNames->Push();
  for (fw::EditField* f : {w.EFNames, w.EFHName, w.EFHUnits, w.EFVName, w.EFVUnits}) EXPECT_EQ(f->Text(), "");
  EXPECT_EQ(w.Focus(), w.EFNames);
  EXPECT_TRUE(w.Dirty);
  ASSERT_NE(std::dynamic_pointer_cast<ClearNamesAction>(w.LastAction), nullptr);
  EXPECT_TRUE(fw::TestHooks::MenuItemEnabled(w, "EditUndo"));

  EXPECT_TRUE(fw::TestHooks::ChooseMenu(w, "EditUndo"));
  EXPECT_EQ(w.EFNames->Text(), "Ann");
  EXPECT_EQ(w.EFHName->Text(), "t");
  EXPECT_EQ(w.EFHUnits->Text(), "s");
  EXPECT_EQ(w.EFVName->Text(), "d");
  EXPECT_EQ(w.EFVUnits->Text(), "m");

  w.PBClearNames->Push();
  fw::TestHooks::TypeText(*w.EFHName, "q");
  EXPECT_EQ(w.LastAction, nullptr);
  EXPECT_FALSE(fw::TestHooks::MenuItemEnabled(w, "EditUndo"));
}


TEST_F(PageSwitchTest, EnteringDataWithACalculatedHorizontalVariableSelectsItsFormula) {
  MainWndo& w = OpenWindow();
  FillNames(w, "Ann", "t", "s", "d", "m");
  fw::TestHooks::ClickTab(*w.TabPanel1, 1);
  fw::TestHooks::Click(*w.RBHCalculated);
  ASSERT_TRUE(w.RBHCalculated->Value());
  fw::TestHooks::ClickTab(*w.TabPanel1, 0);
  fw::TestHooks::ClickTab(*w.TabPanel1, 1);
  EXPECT_EQ(w.TabPanel1->Value(), 1);
  EXPECT_EQ(w.LBData->ActiveCell(), nullptr);
  EXPECT_EQ(w.Focus(), w.EFHFormula);
  EXPECT_EQ(w.EFHFormula->Text(), "ln(t)");
  EXPECT_EQ(w.EFHFormula->SelStart(), 0);
  EXPECT_EQ(w.EFHFormula->SelLength(), 5);
}

TEST_F(PageSwitchTest, AStudentTypesTheNamesIsToldWhatIsMissingAndMovesOn) {
  MainWndo& w = OpenWindow();
  fw::TestHooks::Click(*w.EFNames);
  fw::TestHooks::TypeText(*w.EFNames, "Ann & Bo");
  fw::TestHooks::PressKey(*w.EFNames, "Tab");
  ASSERT_EQ(w.Focus(), w.EFHName);
  fw::TestHooks::TypeText(*w.EFHName, "t");
  AnswerWarning();
  fw::TestHooks::PressKey(*w.EFHName, "Return");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text, kNamesReminder);
  EXPECT_EQ(messages[0].button, "OK, OK");
  EXPECT_EQ(w.TabPanel1->Value(), 0);
  ASSERT_EQ(w.Focus(), w.EFHUnits);

  fw::TestHooks::TypeText(*w.EFHUnits, "s");
  fw::TestHooks::Click(*w.EFVName);
  fw::TestHooks::TypeText(*w.EFVName, "t");
  fw::TestHooks::Click(*w.EFVUnits);
  fw::TestHooks::TypeText(*w.EFVUnits, "m");
  AnswerWarning();
  fw::TestHooks::ClickTab(*w.TabPanel1, 1);
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[1].text, "The variables must have distinct names");
  EXPECT_EQ(messages[1].button, "OK");
  ASSERT_EQ(w.Focus(), w.EFVName);
  EXPECT_EQ(w.EFVName->SelText(), "t");

  fw::TestHooks::TypeText(*w.EFVName, "d");
  fw::TestHooks::ClickTab(*w.TabPanel1, 1);
  EXPECT_EQ(messages.size(), 2u);
  EXPECT_EQ(w.TabPanel1->Value(), 1);
  EXPECT_EQ(w.GBH->Caption(), "t in s");
  EXPECT_EQ(w.GBV->Caption(), "d in m");
  EXPECT_EQ(w.LBData->EditRow(), 0);
  EXPECT_EQ(w.LBData->EditColumn(), 1);
  EXPECT_TRUE(w.Dirty);
}

}  // namespace
