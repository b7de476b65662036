#include <iterator>
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

TEST_F(NewWindowTest, TheTableHasFiveColumnsAndDottedRowLines) {
  MainWndo& w = OpenWindow();
  EXPECT_EQ(w.LBData->ColumnWidths(), "25,*,*,*,*");
  EXPECT_EQ(w.LBData->ColumnCount(), 5);
  EXPECT_EQ(w.LBData->GridLinesHorizontal(), fw::Listbox::BorderThinDotted);
  EXPECT_EQ(w.LBData->GridLinesVertical(), fw::Listbox::BorderDefault);
  EXPECT_TRUE(w.LBData->HasHeading());
  EXPECT_EQ(w.LBData->Heading(0), " ");
  EXPECT_EQ(w.LBData->DefaultRowHeight(), 18);
  EXPECT_EQ(w.LBData->ColumnWidth(0), 25);
}

TEST_F(NewWindowTest, EnclosuresAreCreatedBeforeTheirControls) {
  MainWndo& w = OpenWindow();
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

namespace {

const char* const kDataHintText =
    "\xE2\x80\xA2 Option-click on a cell not currently selected to fill a column down through the clicked cell "
    "with the value in the column's top cell.\r\r"
    "\xE2\x80\xA2 Type \"f\" in a cell to see options for filling the column below that cell.\r\r"
    "\xE2\x80\xA2 Type \"r\" in a cell to have the program automatically calculate its value and uncertainty "
    "from a set of multiple measurements.\r\r"
    "\xE2\x80\xA2 Type \"=\" in a cell to have the program calculate its value and uncertainty from other "
    "specified values and uncertainties.\r\r"
    "\xE2\x80\xA2 Hold down the \"ctrl\" key to allow the arrow keys to work within a cell.\r\r"
    "\xE2\x80\xA2 Tab and shift-tab cause the cursor to move to the next or previous cell within the same "
    "variable's list. To allow these keys to carry you across the dividing line between variables, check the "
    "box below. (Enter and shift-enter work the same way.)";

const char* const kNamesHintText =
    "\xE2\x80\xA2 If a variable is unitless, enter \"none\" for its units.\r\r\xE2\x80\xA2 You can choose to plot "
    "any power or function of either or both of the basic variables you choose.";

std::string CaptionOf(const fw::Control& c) {
  if (auto* st = dynamic_cast<const fw::StaticText*>(&c)) return st->Text();
  if (auto* gb = dynamic_cast<const fw::GroupBox*>(&c)) return gb->Caption();
  if (auto* pb = dynamic_cast<const fw::PushButton*>(&c)) return pb->Caption();
  if (auto* rb = dynamic_cast<const fw::RadioButton*>(&c)) return rb->Caption();
  if (auto* cb = dynamic_cast<const fw::CheckBox*>(&c)) return cb->Caption();
  if (auto* ef = dynamic_cast<const fw::EditField*>(&c)) return ef->Text();
  return "";
}

// The tab page a control stands on, through its enclosures; -1 for the tab panel.
int PageOf(const fw::Control& c) {
  for (const fw::Control* x = &c; x; x = x->Enclosure()) {
    if (x->Page() >= 0) return x->Page();
  }
  return -1;
}

struct Row {
  const char* name;
  int index;
  int left, top, width, height;
  const char* in;
  int inIndex;
  int page;
  const char* caption;
};

// Every control in creation order. Three captions are wider than first laid out
// (STLabel 7, 14 and 20) so that DejaVu Sans does not clip them.
const Row kLayout[] = {
    {"TabPanel1", -1, 17, 17, 710, 650, "", -1, -1, ""},
    {"GBH", -1, 35, 53, 269, 135, "TabPanel1", -1, 1, "Horizontal Variable"},
    {"STLabel", 10, 50, 113, 55, 34, "GBH", -1, 1, "Display\r(&& Plot):"},
    {"RBHEntered", -1, 107, 110, 181, 20, "GBH", -1, 1, "Data as originally entered"},
    {"RBHCalculated", -1, 107, 129, 178, 20, "GBH", -1, 1, "Data calculated using:"},
    {"EFHFormula", -1, 47, 157, 241, 22, "GBH", -1, 1, ""},
    {"GBV", -1, 304, 53, 259, 135, "TabPanel1", -1, 1, "Vertical Variable"},
    {"STLabel", 12, 315, 113, 51, 33, "GBV", -1, 1, "Display\r(&& Plot):"},
    {"RBVEntered", -1, 371, 110, 180, 20, "GBV", -1, 1, "Data as originally entered"},
    {"RBVCalculated", -1, 371, 129, 164, 20, "GBV", -1, 1, "Data calculated using:"},
    {"EFVFormula", -1, 315, 157, 229, 22, "GBV", -1, 1, ""},
    {"LBData", -1, 35, 187, 528, 468, "TabPanel1", -1, 1, ""},
    {"PUHFormat", -1, 143, 77, 145, 21, "GBH", -1, 1, ""},
    {"STLabel", 9, 47, 78, 98, 20, "GBH", -1, 1, "Table Format:"},
    {"PUVFormat", -1, 406, 77, 136, 21, "GBV", -1, 1, ""},
    {"STLabel", 11, 315, 78, 86, 20, "GBV", -1, 1, "Table Format:"},
    {"STLabel", 13, 573, 187, 40, 20, "TabPanel1", -1, 1, "Hints:"},
    {"STLabel", 14, 575, 210, 150, 421, "TabPanel1", -1, 1, kDataHintText},
    {"PBPrintTable", -1, 575, 63, 143, 26, "TabPanel1", -1, 1, "Print Table"},
    {"CBTabAcross", -1, 575, 637, 143, 20, "TabPanel1", -1, 1, "Tab Across Divider"},
    {"STLabel", 8, 197, 134, 371, 20, "TabPanel1", -1, 0, "Please enter the following information to continue:"},
    {"STLabel", 0, 232, 174, 99, 20, "TabPanel1", -1, 0, "Your name(s):"},
    {"EFNames", -1, 232, 197, 275, 23, "TabPanel1", -1, 0, ""},
    {"GBLabel", 1, 232, 240, 275, 55, "TabPanel1", -1, 0, "Basic Horizontal Variable"},
    {"STLabel", 1, 248, 263, 39, 20, "GBLabel", 1, 0, "Name:"},
    {"EFHName", -1, 299, 262, 68, 21, "GBLabel", 1, 0, ""},
    {"STLabel", 2, 390, 263, 40, 20, "GBLabel", 1, 0, "Units:"},
    {"EFHUnits", -1, 435, 262, 56, 21, "GBLabel", 1, 0, ""},
    {"GBLabel", 2, 232, 314, 275, 55, "TabPanel1", -1, 0, "Basic Vertical Variable"},
    {"STLabel", 3, 248, 337, 39, 20, "GBLabel", 2, 0, "Name:"},
    {"EFVName", -1, 299, 336, 68, 21, "GBLabel", 2, 0, ""},
    {"STLabel", 4, 390, 337, 40, 20, "GBLabel", 2, 0, "Units:"},
    {"EFVUnits", -1, 435, 336, 56, 21, "GBLabel", 2, 0, ""},
    {"STLabel", 7, 277, 87, 190, 20, "TabPanel1", -1, 0, "Welcome to Gradix 2.0"},
    {"STLabel", 6, 237, 407, 270, 57, "TabPanel1", -1, 0, kNamesHintText},
    {"STLabel", 5, 232, 385, 37, 20, "TabPanel1", -1, 0, "Hints:"},
    {"GBLabel", 0, 575, 100, 143, 67, "TabPanel1", -1, 1, "Display"},
    {"SDDatDspd", -1, 580, 122, 131, 16, "GBLabel", 0, 1, ""},
    {"STDatDspd", -1, 580, 142, 131, 20, "GBLabel", 0, 1, "Original Data"},
    {"PBClearData", -1, 621, 183, 90, 20, "TabPanel1", -1, 1, "Clear Data"},
    {"PBClearNames", -1, 321, 628, 102, 20, "TabPanel1", -1, 0, "Clear Names"},
    {"dGraph", -1, 31, 62, 530, 590, "TabPanel1", -1, 2, ""},
    {"GBLabel", 3, 575, 107, 143, 67, "TabPanel1", -1, 2, "Display"},
    {"PBPrintGraph", -1, 575, 62, 143, 26, "TabPanel1", -1, 2, "Print Graph"},
    {"SDDatGrfd", -1, 580, 129, 131, 16, "GBLabel", 3, 2, ""},
    {"STDatGrfd", -1, 583, 149, 128, 20, "GBLabel", 3, 2, "Original Data"},
    {"PBUpdate", -1, 575, 192, 143, 24, "TabPanel1", -1, 2, "Update Graph"},
    {"PBFit", -1, 575, 232, 143, 24, "TabPanel1", -1, 2, "Do Linear Fit"},
    {"GBLabel", 4, 573, 408, 143, 85, "TabPanel1", -1, 2, "Horizontal Axis"},
    {"STLabel", 15, 586, 432, 29, 20, "GBLabel", 4, 2, "Min:"},
    {"EFHMin", -1, 625, 431, 80, 22, "GBLabel", 4, 2, ""},
    {"STLabel", 16, 586, 461, 29, 20, "GBLabel", 4, 2, "Max:"},
    {"EFHMax", -1, 625, 460, 80, 22, "GBLabel", 4, 2, ""},
    {"GBLabel", 5, 573, 501, 143, 85, "TabPanel1", -1, 2, "Vertical Axis"},
    {"STLabel", 17, 585, 525, 29, 20, "GBLabel", 5, 2, "Min:"},
    {"EFVMin", -1, 624, 524, 80, 22, "GBLabel", 5, 2, ""},
    {"STLabel", 18, 585, 554, 29, 20, "GBLabel", 5, 2, "Max:"},
    {"EFVMax", -1, 624, 553, 80, 22, "GBLabel", 5, 2, ""},
    {"SSTeam", -1, 121, 109, 309, 53, "dGraph", -1, 2, ""},
    {"SSFitInfo", -1, 206, 541, 325, 78, "dGraph", -1, 2, ""},
    {"STLabel", 19, 573, 593, 143, 24, "TabPanel1", -1, 2,
     "\xE2\x80\xA2 Any blank axis limits will be set by the program."},
    {"PBFixLabels", -1, 575, 275, 141, 24, "TabPanel1", -1, 2, "Edit Graph Labels"},
    {"STLabel", 20, 573, 623, 152, 28, "TabPanel1", -1, 2,
     "\xE2\x80\xA2 The rectangular boxes can be dragged to new locations."},
    {"PBEnter", -1, 273, 476, 198, 26, "TabPanel1", -1, 0, "Enter"},
    {"PBClearLimits", -1, 573, 372, 143, 24, "TabPanel1", -1, 2, "Clear Limits"},
};

TEST_F(NewWindowTest, EveryControlHasItsPlaceEnclosurePageAndCaptionInCreationOrder) {
  MainWndo& w = OpenWindow();
  ASSERT_EQ(w.ControlCount(), static_cast<int>(std::size(kLayout)));
  for (int i = 0; i < w.ControlCount(); ++i) {
    const Row& r = kLayout[i];
    const fw::Control& c = w.ControlAt(i);
    const std::string id = std::string(r.name) + "(" + std::to_string(r.index) + ") at " + std::to_string(i);
    ASSERT_EQ(c.Name(), r.name) << id;
    EXPECT_EQ(c.Index(), r.index) << id;
    EXPECT_EQ(w.FindControl(r.name, r.index), &c) << id;
    EXPECT_EQ(c.Left(), r.left) << id;
    EXPECT_EQ(c.Top(), r.top) << id;
    EXPECT_EQ(c.Width(), r.width) << id;
    EXPECT_EQ(c.Height(), r.height) << id;
    EXPECT_EQ(c.Enclosure(), *r.in ? w.FindControl(r.in, r.inIndex) : nullptr) << id;
    EXPECT_EQ(PageOf(c), r.page) << id;
    EXPECT_EQ(CaptionOf(c), r.caption) << id;
  }
}

TEST_F(NewWindowTest, FontsVisibilityAndEnablingFollowTheLayout) {
  MainWndo& w = OpenWindow();
  const std::set<int> size14 = {7, 8};
  const std::set<int> size10 = {6, 14, 19, 20};
  const std::set<std::string> hidden = {"SSFitInfo"};
  const std::set<std::string> disabled = {"EFHFormula", "EFVFormula", "SDDatDspd", "SDDatGrfd"};
  const std::set<int> multiLine = {6, 10, 12, 14, 19, 20};
  for (int i = 0; i < w.ControlCount(); ++i) {
    const fw::Control& c = w.ControlAt(i);
    const bool label = c.Name() == "STLabel";
    const std::string id = c.Name() + "(" + std::to_string(c.Index()) + ")";
    EXPECT_EQ(c.TextFont(), "System") << id;
    int size = 12;
    if (label && size14.count(c.Index())) size = 14;
    if (label && size10.count(c.Index())) size = 10;
    EXPECT_EQ(c.TextSize(), size) << id;
    EXPECT_EQ(c.Bold(), label && c.Index() == 7) << id;
    EXPECT_FALSE(c.Italic()) << id;
    EXPECT_EQ(c.Visible(), !hidden.count(c.Name())) << id;
    EXPECT_EQ(c.Enabled(), !disabled.count(c.Name())) << id;
    if (auto* st = dynamic_cast<const fw::StaticText*>(&c)) {
      EXPECT_EQ(st->MultiLine(), label && multiLine.count(c.Index()) > 0) << id;
      EXPECT_EQ(st->TextAlign(), label ? 0 : 1) << id;
    }
  }
  for (fw::Slider* sd : {w.SDDatDspd, w.SDDatGrfd}) {
    EXPECT_EQ(sd->LineStep(), 1);
    EXPECT_EQ(sd->PageStep(), 1);
    EXPECT_TRUE(sd->LiveScroll());
  }
  for (int i = 0; i < w.ControlCount(); ++i) {
    if (auto* ef = dynamic_cast<const fw::EditField*>(&w.ControlAt(i))) {
      EXPECT_FALSE(ef->MultiLine()) << ef->Name();
      EXPECT_FALSE(ef->ReadOnly()) << ef->Name();
      EXPECT_FALSE(ef->AcceptTabs()) << ef->Name();
      EXPECT_TRUE(ef->Border()) << ef->Name();
      EXPECT_EQ(ef->TextAlign(), 0) << ef->Name();
    }
  }
}

}  // namespace
