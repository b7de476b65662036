#include <set>
#include <string>

#include "framework/CheckBox.h"
#include "framework/GroupBox.h"
#include "framework/Listbox.h"
#include "framework/PopupMenu.h"
#include "framework/RadioButton.h"
#include "framework/Slider.h"
#include "framework/TabPanel.h"
#include "graph/Graph.h"
#include "graph/SSRect.h"
#include "tests/window/ShellFixture.h"

namespace {

using NewWindowTest = ShellTest;

TEST_F(NewWindowTest, IsAnUntitledFixedSizeWindowOnTheNamesPage) {
  MainWndo& w = OpenWindow();
  EXPECT_EQ(w.Title(), "Untitled");
  EXPECT_EQ(w.Width(), 744);
  EXPECT_EQ(w.Height(), 684);
  EXPECT_EQ(w.Frame(), fw::Window::DocumentFrame);
  EXPECT_TRUE(w.Visible());
  EXPECT_EQ(w.ControlCount(), 65);
  ASSERT_EQ(w.TabPanel1->TabCount(), 3);
  EXPECT_EQ(w.TabPanel1->Caption(0), "Names");
  EXPECT_EQ(w.TabPanel1->Caption(1), "Data");
  EXPECT_EQ(w.TabPanel1->Caption(2), "Graph");
  EXPECT_EQ(w.TabPanel1->Value(), 0);
  EXPECT_EQ(w.OldPage, 0);
  EXPECT_TRUE(w.EFNames->IsShown());
  EXPECT_FALSE(w.LBData->IsShown());
  EXPECT_FALSE(w.dGraph->IsShown());
}

TEST_F(NewWindowTest, HoldsNoDataFileFitOrUndoRecord) {
  MainWndo& w = OpenWindow();
  EXPECT_FALSE(w.Dirty);
  EXPECT_EQ(w.myFile, nullptr);
  EXPECT_FALSE(w.HaveFit);
  EXPECT_EQ(w.LastAction, nullptr);
  EXPECT_FALSE(w.PasteOK);
  EXPECT_EQ(w.LastCellCol, 0);
  EXPECT_NE(w.theEvaluator, nullptr);
  EXPECT_EQ(w.LBData->RowCount(), 99);
  EXPECT_EQ(w.LBData->ActiveCell(), nullptr);
  for (int set = 0; set <= 100; ++set)
    for (int row = 0; row < 99; ++row)
      for (int col = 0; col < 5; ++col) ASSERT_EQ(w.Data[set][row][col], 0.0);
  for (int row = 0; row < 99; ++row)
    for (int col = 0; col < 5; ++col) ASSERT_FALSE(w.CellFull[row][col]);
}

TEST_F(NewWindowTest, PagesStartEmptyWithEnteredDataAndNoFit) {
  MainWndo& w = OpenWindow();
  for (fw::EditField* f : {w.EFNames, w.EFHName, w.EFHUnits, w.EFVName, w.EFVUnits}) {
    EXPECT_EQ(f->Text(), "") << f->Name();
  }
  EXPECT_TRUE(w.RBHEntered->Value());
  EXPECT_FALSE(w.RBHCalculated->Value());
  EXPECT_TRUE(w.RBVEntered->Value());
  EXPECT_FALSE(w.RBVCalculated->Value());
  EXPECT_FALSE(w.EFHFormula->Enabled());
  EXPECT_FALSE(w.EFVFormula->Enabled());
  for (fw::PopupMenu* pu : {w.PUHFormat, w.PUVFormat}) {
    ASSERT_EQ(pu->ListCount(), 13);
    EXPECT_EQ(pu->ListIndex(), 2);
    EXPECT_EQ(pu->Text(), "n.nn (Fixed 2DP)");
    EXPECT_EQ(pu->List(0), "Integer");
    EXPECT_EQ(pu->List(7), "n.ne+n  (Sci 2D)");
    EXPECT_EQ(pu->List(12), "n.nnnnnne+n");
  }
  EXPECT_FALSE(w.CBTabAcross->Value());
  EXPECT_EQ(w.CBTabAcross->Caption(), "Tab Across Divider");
  for (fw::Slider* sd : {w.SDDatDspd, w.SDDatGrfd}) {
    EXPECT_EQ(sd->Value(), 1);
    EXPECT_EQ(sd->Minimum(), 1);
    EXPECT_EQ(sd->Maximum(), 100);
    EXPECT_FALSE(sd->Enabled());
  }
  EXPECT_EQ(w.STDatDspd->Text(), "Original Data");
  EXPECT_EQ(w.STDatGrfd->Text(), "Original Data");
  for (fw::EditField* f : {w.EFHMin, w.EFHMax, w.EFVMin, w.EFVMax}) EXPECT_EQ(f->Text(), "");
  EXPECT_TRUE(w.SSTeam->Visible());
  EXPECT_FALSE(w.SSFitInfo->Visible());
}

TEST_F(NewWindowTest, ControlsStandWhereTheLayoutPutsThem) {
  MainWndo& w = OpenWindow();
  struct Place {
    fw::Control* c;
    int left, top, width, height;
  };
  for (const Place& p : {Place{w.TabPanel1, 17, 17, 710, 650}, Place{w.EFNames, 232, 197, 275, 23},
                         Place{w.EFVUnits, 435, 336, 56, 21}, Place{w.PBEnter, 273, 476, 198, 26},
                         Place{w.PBClearNames, 321, 628, 102, 20}, Place{w.LBData, 35, 187, 528, 468},
                         Place{w.PUVFormat, 406, 77, 136, 21}, Place{w.SDDatDspd, 580, 122, 131, 16},
                         Place{w.dGraph, 31, 62, 530, 590}, Place{w.SSTeam, 121, 109, 309, 53},
                         Place{w.SSFitInfo, 206, 541, 325, 78}, Place{w.EFVMax, 624, 553, 80, 22},
                         Place{w.PBClearLimits, 573, 372, 143, 24}}) {
    EXPECT_EQ(p.c->Left(), p.left) << p.c->Name();
    EXPECT_EQ(p.c->Top(), p.top) << p.c->Name();
    EXPECT_EQ(p.c->Width(), p.width) << p.c->Name();
    EXPECT_EQ(p.c->Height(), p.height) << p.c->Name();
  }
  EXPECT_EQ(w.SSTeam->Enclosure(), w.dGraph);
  EXPECT_EQ(w.EFHName->Enclosure(), w.GBLabel[1]);
  EXPECT_EQ(w.RBVCalculated->Enclosure(), w.GBV);
  EXPECT_EQ(w.SDDatGrfd->Enclosure(), w.GBLabel[3]);
  EXPECT_EQ(w.LBData->ColumnWidths(), "25,*,*,*,*");
  EXPECT_EQ(w.LBData->ColumnCount(), 5);
  EXPECT_EQ(w.LBData->GridLinesHorizontal(), fw::Listbox::BorderThinDotted);
}

TEST_F(NewWindowTest, ControlsAreCreatedEnclosuresFirstInTheFixedOrder) {
  MainWndo& w = OpenWindow();
  EXPECT_EQ(&w.ControlAt(0), w.TabPanel1);
  EXPECT_EQ(&w.ControlAt(1), w.GBH);
  EXPECT_EQ(&w.ControlAt(19), w.CBTabAcross);
  EXPECT_EQ(&w.ControlAt(20), w.STLabel[8]);
  EXPECT_EQ(&w.ControlAt(35), w.STLabel[5]);
  EXPECT_EQ(&w.ControlAt(40), w.PBClearNames);
  EXPECT_EQ(&w.ControlAt(41), w.dGraph);
  EXPECT_EQ(&w.ControlAt(49), w.STLabel[15]);
  EXPECT_EQ(&w.ControlAt(50), w.EFHMin);
  EXPECT_EQ(&w.ControlAt(63), w.PBEnter);
  EXPECT_EQ(&w.ControlAt(64), w.PBClearLimits);
  for (int i = 0; i < w.ControlCount(); ++i) {
    const fw::Control* encl = w.ControlAt(i).Enclosure();
    if (!encl) continue;
    for (int j = i; j < w.ControlCount(); ++j) ASSERT_NE(&w.ControlAt(j), encl) << w.ControlAt(i).Name();
  }
  EXPECT_EQ(w.SSTeam->Owner, &w);
  EXPECT_EQ(w.SSFitInfo->Owner, &w);
}

TEST_F(NewWindowTest, LabelArraysAreReachedByNameAndIndex) {
  MainWndo& w = OpenWindow();
  for (int i = 0; i <= 20; ++i) {
    ASSERT_EQ(w.FindControl("STLabel", i), w.STLabel[static_cast<std::size_t>(i)]) << i;
    EXPECT_EQ(w.STLabel[static_cast<std::size_t>(i)]->Index(), i);
  }
  for (int i = 0; i <= 5; ++i) ASSERT_EQ(w.FindControl("GBLabel", i), w.GBLabel[static_cast<std::size_t>(i)]);
  EXPECT_EQ(w.STLabel[7]->Text(), "Welcome to Gradix 2.0");
  EXPECT_EQ(w.STLabel[7]->TextSize(), 14);
  EXPECT_TRUE(w.STLabel[7]->Bold());
  EXPECT_EQ(w.STLabel[10]->Text(), "Display\r(&& Plot):");
  EXPECT_EQ(w.STLabel[14]->TextSize(), 10);
  EXPECT_NE(w.STLabel[14]->Text().find("column's top cell.\r\r\xE2\x80\xA2 Type \"f\" in a cell"),
            std::string::npos);
  EXPECT_EQ(w.GBLabel[1]->Caption(), "Basic Horizontal Variable");
  EXPECT_EQ(w.GBLabel[5]->Caption(), "Vertical Axis");
  EXPECT_EQ(w.STLabel[6]->Text(),
            "\xE2\x80\xA2 If a variable is unitless, enter \"none\" for its units.\r\r\xE2\x80\xA2 You can "
            "choose to plot any power or function of either or both of the basic variables you choose.");
}

TEST_F(NewWindowTest, OnlyEnterAndUpdateAreDefaultAndOnlyEditLabelsCancels) {
  MainWndo& w = OpenWindow();
  std::set<std::string> defaults, cancels;
  for (int i = 0; i < w.ControlCount(); ++i) {
    if (auto* pb = dynamic_cast<fw::PushButton*>(&w.ControlAt(i))) {
      if (pb->Default()) defaults.insert(pb->Name());
      if (pb->Cancel()) cancels.insert(pb->Name());
    }
  }
  EXPECT_EQ(defaults, (std::set<std::string>{"PBEnter", "PBUpdate"}));
  EXPECT_EQ(cancels, (std::set<std::string>{"PBFixLabels"}));
  EXPECT_EQ(w.DefaultButton(), w.PBEnter);
}

TEST_F(NewWindowTest, TwoWindowsKeepSeparateState) {
  MainWndo& a = OpenWindow();
  MainWndo& b = OpenWindow();
  a.EFNames->SetText("Ann");
  EXPECT_TRUE(a.Dirty);
  EXPECT_FALSE(b.Dirty);
  EXPECT_EQ(b.EFNames->Text(), "");
  EXPECT_NE(a.theEvaluator.get(), b.theEvaluator.get());
}

TEST_F(NewWindowTest, FirstActivationOpensNoCellAndDeactivationRemembersNone) {
  MainWndo& w = OpenWindow();
  w.Event_Activate();
  EXPECT_EQ(w.LBData->ActiveCell(), nullptr);
  w.Event_Deactivate();
  EXPECT_EQ(w.CurrRow, -1);
  EXPECT_EQ(w.CurrCol, -1);
  w.Event_Activate();
  EXPECT_EQ(w.LBData->ActiveCell(), nullptr);
}

}  // namespace
