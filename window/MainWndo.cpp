#include "window/MainWndo.h"

#include "app/AboutWndo.h"
#include "app/MenuBar1.h"
#include "app/WarnDlog.h"
#include "engine/Evaluator.h"
#include "framework/Canvas.h"
#include "framework/CheckBox.h"
#include "framework/Clipboard.h"
#include "framework/EditField.h"
#include "framework/FileChoosers.h"
#include "framework/FolderItem.h"
#include "framework/GroupBox.h"
#include "framework/Keyboard.h"
#include "framework/Listbox.h"
#include "framework/MenuBar.h"
#include "framework/PopupMenu.h"
#include "framework/PushButton.h"
#include "framework/QuitMenuItem.h"
#include "framework/RadioButton.h"
#include "framework/Slider.h"
#include "framework/StaticText.h"
#include "framework/TabPanel.h"
#include "framework/Text.h"
#include "graph/Graph.h"
#include "graph/SSRect.h"
#include "window/table/ClearNamesAction.h"
#include "window/table/UndoableAction.h"

namespace {

const char* const kNamesHint =
    "\xE2\x80\xA2 If a variable is unitless, enter \"none\" for its units.\r\r"
    "\xE2\x80\xA2 You can choose to plot any power or function of either or both of the basic "
    "variables you choose.";

const char* const kDataHint =
    "\xE2\x80\xA2 Option-click on a cell not currently selected to fill a column down through the "
    "clicked cell with the value in the column's top cell.\r\r"
    "\xE2\x80\xA2 Type \"f\" in a cell to see options for filling the column below that cell.\r\r"
    "\xE2\x80\xA2 Type \"r\" in a cell to have the program automatically calculate its value and "
    "uncertainty from a set of multiple measurements.\r\r"
    "\xE2\x80\xA2 Type \"=\" in a cell to have the program calculate its value and uncertainty "
    "from other specified values and uncertainties.\r\r"
    "\xE2\x80\xA2 Hold down the \"ctrl\" key to allow the arrow keys to work within a cell.\r\r"
    "\xE2\x80\xA2 Tab and shift-tab cause the cursor to move to the next or previous cell within "
    "the same variable's list. To allow these keys to carry you across the dividing line between "
    "variables, check the box below. (Enter and shift-enter work the same way.)";

const char* const kFormats[13] = {
    "Integer",    "n.n",        "n.nn (Fixed 2DP)", "n.nnn",      "n.nnnn",
    "n.nnnnn",    "n.nnnnnn",   "n.ne+n  (Sci 2D)", "n.nne+n",    "n.nnne+n",
    "n.nnnne+n",  "n.nnnnne+n", "n.nnnnnne+n"};

// Creates a window's controls: each is added under its name, enclosed by encl (on
// page of a tab panel, or the enclosure's own page when page is -1) and placed in
// window coordinates.
class Builder {
 public:
  explicit Builder(MainWndo& window) : w(window) {}

  template <class T>
  T& Place(const char* name, int index, fw::Control* encl, int page, int left, int top, int width,
           int height) {
    T& c = w.Add<T>(name, index);
    c.SetEnclosure(encl, page);
    c.SetBounds(left, top, width, height);
    return c;
  }

  fw::StaticText& Label(int index, fw::Control* encl, int page, int left, int top, int width, int height,
                        const std::string& text) {
    auto& st = Place<fw::StaticText>("STLabel", index, encl, page, left, top, width, height);
    st.SetText(text);
    w.STLabel[static_cast<std::size_t>(index)] = &st;
    return st;
  }

  void Hint(int index, int page, int left, int top, int width, int height, const std::string& text) {
    fw::StaticText& st = Label(index, w.TabPanel1, page, left, top, width, height, text);
    st.SetMultiLine(true);
    st.SetTextSize(10);
  }

  fw::GroupBox& Group(int index, int page, int left, int top, int width, int height,
                      const std::string& caption) {
    auto& gb = Place<fw::GroupBox>("GBLabel", index, w.TabPanel1, page, left, top, width, height);
    gb.SetCaption(caption);
    w.GBLabel[static_cast<std::size_t>(index)] = &gb;
    return gb;
  }

  fw::EditField* Field(const char* name, fw::Control* encl, int page, int left, int top, int width,
                       int height) {
    return &Place<fw::EditField>(name, -1, encl, page, left, top, width, height);
  }

  fw::PushButton* Button(const char* name, int page, int left, int top, int width, int height,
                         const std::string& caption) {
    auto& pb = Place<fw::PushButton>(name, -1, w.TabPanel1, page, left, top, width, height);
    pb.SetCaption(caption);
    return &pb;
  }

  fw::RadioButton* Radio(const char* name, fw::Control* encl, int left, int top, int width,
                         const std::string& caption, bool on) {
    auto& rb = Place<fw::RadioButton>(name, -1, encl, -1, left, top, width, 20);
    rb.SetCaption(caption);
    if (on) rb.SetValue(true);
    return &rb;
  }

  fw::PopupMenu* Formats(const char* name, fw::Control* encl, int left, int top, int width) {
    auto& pu = Place<fw::PopupMenu>(name, -1, encl, -1, left, top, width, 21);
    for (const char* item : kFormats) pu.AddRow(item);
    pu.SetListIndex(2);
    return &pu;
  }

  fw::Slider* DataSetSlider(const char* name, fw::Control* encl, int left, int top) {
    auto& sd = Place<fw::Slider>(name, -1, encl, -1, left, top, 131, 16);
    sd.SetMinimum(1);
    sd.SetMaximum(100);
    sd.SetValue(1);
    sd.SetLineStep(1);
    sd.SetPageStep(1);
    sd.SetLiveScroll(true);
    sd.SetEnabled(false);
    return &sd;
  }

  fw::StaticText* DataSetCaption(const char* name, fw::Control* encl, int left, int top, int width) {
    auto& st = Place<fw::StaticText>(name, -1, encl, -1, left, top, width, 20);
    st.SetText("Original Data");
    st.SetTextAlign(1);
    return &st;
  }

  SSRect* TextBox(const char* name, int left, int top, int width, int height) {
    auto& ss = Place<SSRect>(name, -1, w.dGraph, -1, left, top, width, height);
    ss.SetAcceptFocus(false);
    ss.SetAcceptTabs(false);
    ss.CBlack = fw::RGB(0, 0, 0);
    ss.CWhite = fw::RGB(0, 0, 0);
    ss.Printing = false;
    ss.ShowFrame = false;
    ss.DeFlowered = false;
    ss.HaveData = false;
    return &ss;
  }

 private:
  MainWndo& w;
};

}  // namespace

MainWndo::MainWndo() : fw::Window(fw::Window::DocumentFrame) {
  Layout();
  CreateControls();
  AddMenuHandlers();
  Open = [this] { Event_Open(); };
  CancelClose = [this](bool appQuitting) { return Event_CancelClose(appQuitting); };
  EnableMenuItems = [this] { Event_EnableMenuItems(); };
  Activate = [this] { Event_Activate(); };
  Deactivate = [this] { Event_Deactivate(); };
}

MainWndo::~MainWndo() = default;

void MainWndo::Layout() {
  SetMenuBar(&MenuBar1());
  SetTitle("Untitled");
  SetSize(744, 684);
}

void MainWndo::CreateControls() {
  _CreateControls0();
  _CreateControls1();
  Table.BindEvents();
}

void MainWndo::_CreateControls0() {
  Builder b(*this);
  constexpr int names = NamesPage;
  constexpr int data = DataPageIndex;
  constexpr int graph = GraphPageIndex;

  TabPanel1 = &b.Place<fw::TabPanel>("TabPanel1", -1, nullptr, -1, 17, 17, 710, 650);
  TabPanel1->AppendTab("Names");
  TabPanel1->AppendTab("Data");
  TabPanel1->AppendTab("Graph");
  TabPanel1->SetValue(NamesPage);
  TabPanel1->Change = [this] { TabPanel1_Change(); };
  fw::Control* tabs = TabPanel1;

  // "Data" page.
  GBH = &b.Place<fw::GroupBox>("GBH", -1, tabs, data, 35, 53, 269, 135);
  GBH->SetCaption("Horizontal Variable");
  b.Label(10, GBH, -1, 50, 113, 55, 34, "Display\r(&& Plot):").SetMultiLine(true);
  RBHEntered = b.Radio("RBHEntered", GBH, 107, 110, 181, "Data as originally entered", true);
  RBHCalculated = b.Radio("RBHCalculated", GBH, 107, 129, 178, "Data calculated using:", false);
  EFHFormula = b.Field("EFHFormula", GBH, -1, 47, 157, 241, 22);
  EFHFormula->SetEnabled(false);
  GBV = &b.Place<fw::GroupBox>("GBV", -1, tabs, data, 304, 53, 259, 135);
  GBV->SetCaption("Vertical Variable");
  b.Label(12, GBV, -1, 315, 113, 51, 33, "Display\r(&& Plot):").SetMultiLine(true);
  RBVEntered = b.Radio("RBVEntered", GBV, 371, 110, 180, "Data as originally entered", true);
  RBVCalculated = b.Radio("RBVCalculated", GBV, 371, 129, 164, "Data calculated using:", false);
  EFVFormula = b.Field("EFVFormula", GBV, -1, 315, 157, 229, 22);
  EFVFormula->SetEnabled(false);
  LBData = &b.Place<fw::Listbox>("LBData", -1, tabs, data, 35, 187, 528, 468);
  LBData->SetColumnCount(5);
  LBData->SetColumnWidths("25,*,*,*,*");
  LBData->SetHasHeading(true);
  LBData->SetHeading(0, " ");
  LBData->SetGridLinesHorizontal(fw::Listbox::BorderThinDotted);
  LBData->SetGridLinesVertical(fw::Listbox::BorderDefault);
  LBData->SetDefaultRowHeight(18);
  PUHFormat = b.Formats("PUHFormat", GBH, 143, 77, 145);
  b.Label(9, GBH, -1, 47, 78, 98, 20, "Table Format:");
  PUVFormat = b.Formats("PUVFormat", GBV, 406, 77, 136);
  b.Label(11, GBV, -1, 315, 78, 86, 20, "Table Format:");
  b.Label(13, tabs, data, 573, 187, 40, 20, "Hints:");
  // Three captions are a little wider than laid out: DejaVu Sans runs wider than the
  // font the layout was drawn for, and they would be clipped.
  b.Hint(14, data, 575, 210, 150, 421, kDataHint);
  PBPrintTable = b.Button("PBPrintTable", data, 575, 63, 143, 26, "Print Table");
  PBPrintTable->Action = [this] { Plot.PBPrintTable_Action(); };
  CBTabAcross = &b.Place<fw::CheckBox>("CBTabAcross", -1, tabs, data, 575, 637, 143, 20);
  CBTabAcross->SetCaption("Tab Across Divider");

  // "Names" page.
  b.Label(8, tabs, names, 197, 134, 371, 20, "Please enter the following information to continue:")
      .SetTextSize(14);
  b.Label(0, tabs, names, 232, 174, 99, 20, "Your name(s):");
  EFNames = b.Field("EFNames", tabs, names, 232, 197, 275, 23);
  EFNames->TextChange = [this] { EFNames_TextChange(); };
  fw::GroupBox& hBox = b.Group(1, names, 232, 240, 275, 55, "Basic Horizontal Variable");
  b.Label(1, &hBox, -1, 248, 263, 39, 20, "Name:");
  EFHName = b.Field("EFHName", &hBox, -1, 299, 262, 68, 21);
  EFHName->TextChange = [this] { EFHName_TextChange(); };
  b.Label(2, &hBox, -1, 390, 263, 40, 20, "Units:");
  EFHUnits = b.Field("EFHUnits", &hBox, -1, 435, 262, 56, 21);
  EFHUnits->TextChange = [this] { EFHUnits_TextChange(); };
  fw::GroupBox& vBox = b.Group(2, names, 232, 314, 275, 55, "Basic Vertical Variable");
  b.Label(3, &vBox, -1, 248, 337, 39, 20, "Name:");
  EFVName = b.Field("EFVName", &vBox, -1, 299, 336, 68, 21);
  EFVName->TextChange = [this] { EFVName_TextChange(); };
  b.Label(4, &vBox, -1, 390, 337, 40, 20, "Units:");
  EFVUnits = b.Field("EFVUnits", &vBox, -1, 435, 336, 56, 21);
  EFVUnits->TextChange = [this] { EFVUnits_TextChange(); };
  fw::StaticText& welcome = b.Label(7, tabs, names, 277, 87, 190, 20, "Welcome to Gradix 2.0");
  welcome.SetTextSize(14);
  welcome.SetBold(true);
  b.Hint(6, names, 237, 407, 270, 57, kNamesHint);
  b.Label(5, tabs, names, 232, 385, 37, 20, "Hints:");

  // The "Data" page's display group, then the two clear buttons.
  fw::GroupBox& tableDisplay = b.Group(0, data, 575, 100, 143, 67, "Display");
  SDDatDspd = b.DataSetSlider("SDDatDspd", &tableDisplay, 580, 122);
  STDatDspd = b.DataSetCaption("STDatDspd", &tableDisplay, 580, 142, 131);
  PBClearData = b.Button("PBClearData", data, 621, 183, 90, 20, "Clear Data");
  PBClearNames = b.Button("PBClearNames", names, 321, 628, 102, 20, "Clear Names");
  PBClearNames->Action = [this] { PBClearNames_Action(); };

  // "Graph" page.
  dGraph = &b.Place<Graph>("dGraph", -1, tabs, graph, 31, 62, 530, 590);
  dGraph->SetAcceptFocus(false);
  dGraph->SetAcceptTabs(false);
  dGraph->SetEraseBackground(true);
  dGraph->CBlack = fw::RGB(0, 0, 0);
  dGraph->CWhite = fw::RGB(0, 0, 0);
  dGraph->CGrid = fw::RGB(0, 0, 0);
  dGraph->XColor = fw::RGB(0, 0, 0);
  dGraph->YColor = fw::RGB(0, 0, 0);
  dGraph->Printing = false;
  dGraph->RErr = false;
  dGraph->HasGrid = false;
  dGraph->NoGraph = false;
  dGraph->DrawContent = [this] { Plot.dGraph_DrawContent(); };
  dGraph->DepthQuery = [this] { return Plot.dGraph_DepthQuery(); };
  fw::GroupBox& graphDisplay = b.Group(3, graph, 575, 107, 143, 67, "Display");
  PBPrintGraph = b.Button("PBPrintGraph", graph, 575, 62, 143, 26, "Print Graph");
  PBPrintGraph->Action = [this] { Plot.PBPrintGraph_Action(); };
  SDDatGrfd = b.DataSetSlider("SDDatGrfd", &graphDisplay, 580, 129);
  SDDatGrfd->ValueChanged = [this] { Plot.SDDatGrfd_ValueChanged(); };
  STDatGrfd = b.DataSetCaption("STDatGrfd", &graphDisplay, 583, 149, 128);
  PBUpdate = b.Button("PBUpdate", graph, 575, 192, 143, 24, "Update Graph");
  PBUpdate->SetDefault(true);
  PBUpdate->Action = [this] { Plot.PBUpdate_Action(); };
  PBFit = b.Button("PBFit", graph, 575, 232, 143, 24, "Do Linear Fit");
  PBFit->Action = [this] { Plot.PBFit_Action(); };
  fw::GroupBox& hAxis = b.Group(4, graph, 573, 408, 143, 85, "Horizontal Axis");
  b.Label(15, &hAxis, -1, 586, 432, 29, 20, "Min:");
}

void MainWndo::_CreateControls1() {
  Builder b(*this);
  constexpr int graph = GraphPageIndex;
  fw::GroupBox* hAxis = GBLabel[4];

  EFHMin = b.Field("EFHMin", hAxis, -1, 625, 431, 80, 22);
  EFHMin->TextChange = [this] { Plot.EFHMin_TextChange(); };
  b.Label(16, hAxis, -1, 586, 461, 29, 20, "Max:");
  EFHMax = b.Field("EFHMax", hAxis, -1, 625, 460, 80, 22);
  EFHMax->TextChange = [this] { Plot.EFHMax_TextChange(); };
  fw::GroupBox& vAxis = b.Group(5, graph, 573, 501, 143, 85, "Vertical Axis");
  b.Label(17, &vAxis, -1, 585, 525, 29, 20, "Min:");
  EFVMin = b.Field("EFVMin", &vAxis, -1, 624, 524, 80, 22);
  EFVMin->TextChange = [this] { Plot.EFVMin_TextChange(); };
  b.Label(18, &vAxis, -1, 585, 554, 29, 20, "Max:");
  EFVMax = b.Field("EFVMax", &vAxis, -1, 624, 553, 80, 22);
  EFVMax->TextChange = [this] { Plot.EFVMax_TextChange(); };
  SSTeam = b.TextBox("SSTeam", 121, 109, 309, 53);
  SSTeam->Open = [this] { Plot.SSTeam_Open(); };
  SSFitInfo = b.TextBox("SSFitInfo", 206, 541, 325, 78);
  SSFitInfo->SetVisible(false);
  SSFitInfo->Open = [this] { Plot.SSFitInfo_Open(); };
  b.Hint(19, graph, 573, 593, 143, 24, "\xE2\x80\xA2 Any blank axis limits will be set by the program.");
  PBFixLabels = b.Button("PBFixLabels", graph, 575, 275, 141, 24, "Edit Graph Labels");
  PBFixLabels->SetCancel(true);
  PBFixLabels->Action = [this] { Plot.PBFixLabels_Action(); };
  b.Hint(20, graph, 573, 623, 152, 28, "\xE2\x80\xA2 The rectangular boxes can be dragged to new locations.");
  PBEnter = b.Button("PBEnter", NamesPage, 273, 476, 198, 26, "Enter");
  PBEnter->SetDefault(true);
  PBEnter->Action = [this] { PBEnter_Action(); };
  PBClearLimits = b.Button("PBClearLimits", graph, 573, 372, 143, 24, "Clear Limits");
  PBClearLimits->Action = [this] { Plot.PBClearLimits_Action(); };
}

// ---- Page switching and the "Names" page ----

bool MainWndo::NamesOK() {
  return !EFNames->Text().empty() && !EFHName->Text().empty() && !EFHUnits->Text().empty() &&
         !EFVName->Text().empty() && !EFVUnits->Text().empty() &&
         !fw::TextEquals(EFHName->Text(), EFVName->Text());
}

void MainWndo::TabPanel1_Change() {
  if (ProtectChange) return;
  const int page = TabPanel1->Value();
  const bool option = fw::Keyboard::OptionKey();
  const bool namesOK = OldPage != NamesPage || page == NamesPage || NamesOK();
  if (!namesOK && !(option && page == DataPageIndex)) {
    ProtectChange = true;
    TabPanel1->SetValue(NamesPage);
    ProtectChange = false;
    for (fw::EditField* f : {EFNames, EFHName, EFHUnits, EFVName, EFVUnits}) {
      if (f->Text().empty()) {
        CallWarnDialog("");
        f->SetFocus();
        return;
      }
    }
    CallWarnDialog("The variables must have distinct names");
    EFVName->SetFocus();
    EFVName->SetSelStart(0);
    EFVName->SetSelLength(fw::Len(EFVName->Text()));
    return;
  }

  LastAction = nullptr;
  if (!namesOK) {
    EFNames->SetText("test");
    EFHName->SetText("x");
    EFVName->SetText("y");
    EFHUnits->SetText("none");
    EFVUnits->SetText("none");
  }
  if (OldPage == NamesPage) Table.UpdateCaptions();
  if (page == DataPageIndex) {
    if (SDDatDspd->Value() == 1) {
      if (RBHEntered->Value()) {
        LBData->EditCell(0, 1);
      } else {
        EFHFormula->SetFocus();
        EFHFormula->SetSelStart(0);
        EFHFormula->SetSelLength(fw::Len(EFHFormula->Text()));
      }
    } else {
      // The names field stands on a hidden page while a team is shown.
      ClearFocus();
    }
  } else if (page == GraphPageIndex) {
    ProtectChange = true;
    TabPanel1->SetValue(OldPage);
    ProtectChange = false;
    if (Plot.SetGraphLabelsOK() && Plot.DrewGraphOK()) {
      ProtectChange = true;
      TabPanel1->SetValue(GraphPageIndex);
      ProtectChange = false;
    }
  }
  OldPage = TabPanel1->Value();
}

void MainWndo::EFNames_TextChange() {
  LastAction = nullptr;
  Dirty = true;
  GotGraph = false;
}

void MainWndo::EFHName_TextChange() { EFNames_TextChange(); }

void MainWndo::EFHUnits_TextChange() { EFNames_TextChange(); }

void MainWndo::EFVName_TextChange() { EFNames_TextChange(); }

void MainWndo::EFVUnits_TextChange() { EFNames_TextChange(); }

void MainWndo::PBClearNames_Action() {
  auto record = std::make_shared<ClearNamesAction>(*this);
  EFNames->SetText("");
  EFHName->SetText("");
  EFHUnits->SetText("");
  EFVName->SetText("");
  EFVUnits->SetText("");
  EFNames->SetFocus();
  Dirty = true;
  LastAction = record;
}

void MainWndo::PBEnter_Action() { TabPanel1->SetValue(DataPageIndex); }

void MainWndo::CallWarnDialog(const std::string& message) {
  class WarnDlog& dialog = WarnDlog();
  if (!message.empty()) {
    dialog.StaticText1->SetText(message);
    dialog.PBOK->SetCaption("OK");
  } else {
    dialog.StaticText1->SetText(
        "Be sure to enter your name(s) and the names and units of both variables before entering "
        "data.");
    dialog.PBOK->SetCaption("OK, OK");
  }
  dialog.FitMessage();
  dialog.ShowModalWithin(*this);
}

// ---- Menu items ----

fw::MenuItem* MainWndo::zMenuItem(const char* name) const {
  fw::MenuBar* bar = CurrentMenuBar();
  return bar ? bar->Child(name) : nullptr;
}

fw::MenuItem* MainWndo::HelpMenu() const { return zMenuItem("HelpMenu"); }
fw::MenuItem* MainWndo::HelpAboutGradix() const { return zMenuItem("HelpAboutGradix"); }
fw::MenuItem* MainWndo::EditMenu() const { return zMenuItem("EditMenu"); }
fw::MenuItem* MainWndo::EditClear() const { return zMenuItem("EditClear"); }
fw::MenuItem* MainWndo::EditPaste() const { return zMenuItem("EditPaste"); }
fw::MenuItem* MainWndo::EditCopy() const { return zMenuItem("EditCopy"); }
fw::MenuItem* MainWndo::EditCut() const { return zMenuItem("EditCut"); }
fw::MenuItem* MainWndo::UntitledMenu0() const { return zMenuItem("UntitledMenu0"); }
fw::MenuItem* MainWndo::EditUndo() const { return zMenuItem("EditUndo"); }
fw::MenuItem* MainWndo::FileMenu() const { return zMenuItem("FileMenu"); }
fw::QuitMenuItem* MainWndo::FileQuit() const {
  return dynamic_cast<fw::QuitMenuItem*>(zMenuItem("FileQuit"));
}
fw::MenuItem* MainWndo::FileSaveAs() const { return zMenuItem("FileSaveAs"); }
fw::MenuItem* MainWndo::FileSave() const { return zMenuItem("FileSave"); }
fw::MenuItem* MainWndo::FileImport() const { return zMenuItem("FileImport"); }
fw::MenuItem* MainWndo::FileClose() const { return zMenuItem("FileClose"); }
fw::MenuItem* MainWndo::FileOpen() const { return zMenuItem("FileOpen"); }
fw::MenuItem* MainWndo::FileNew() const { return zMenuItem("FileNew"); }
fw::MenuItem* MainWndo::AppleAbout() const { return zMenuItem("AppleAbout"); }

// ---- Window events and menu handlers ----

void MainWndo::AddMenuHandlers() {
  AddMenuHandler("FileClose", [this] { return _FileClose_Action(); });
  AddMenuHandler("FileSave", [this] { return _FileSave_Action(); });
  AddMenuHandler("FileSaveAs", [this] { return _FileSaveAs_Action(); });
  AddMenuHandler("EditUndo", [this] { return _EditUndo_Action(); });
  AddMenuHandler("FileImport", [this] { return _FileImport_Action(); });
  AddMenuHandler("HelpAboutGradix", [this] { return _HelpAboutGradix_Action(); });
}

void MainWndo::Event_Open() { theEvaluator = std::make_unique<Evaluator>(); }

void MainWndo::Event_Deactivate() {
  if (LastCellCol > 0) {
    CurrRow = LastCellRow;
    CurrCol = LastCellCol;
  } else {
    CurrRow = -1;
    CurrCol = -1;
  }
}

void MainWndo::Event_Activate() {
  if (CurrCol < 1) return;
  // Only a cell that could be opened by hand now is reopened.
  const bool entered = CurrCol <= 2 ? RBHEntered->Value() : RBVEntered->Value();
  if (TabPanel1->Value() == DataPageIndex && SDDatDspd->Value() == 1 && entered) {
    LBData->EditCell(CurrRow, CurrCol);
  }
}

bool MainWndo::Event_CancelClose(bool /*appQuitting*/) { return !Files.CloseOK(); }

void MainWndo::Event_EnableMenuItems() {
  if (fw::Clipboard::TextAvailable() && PasteOK) EditPaste()->Enable();
  // No open editor counts as an empty selection.
  fw::EditField* editor = PasteOK ? LBData->ActiveCell() : nullptr;
  if (editor && editor->SelLength() >= 1) {
    EditCopy()->Enable();
    EditCut()->Enable();
  }
  if (Dirty) FileSave()->Enable();
  if (LastAction) EditUndo()->Enable();
  if (TabPanel1->Value() == DataPageIndex && RBHEntered->Value() && RBVEntered->Value()) {
    FileImport()->Enable();
  }
}

bool MainWndo::_FileClose_Action() {
  const bool ok = Files.CloseOK();
  if (ok) CloseNow();
  return ok;
}

bool MainWndo::_FileSave_Action() {
  if (myFile) {
    Files.DoSave();
    return false;
  }
  // A window without a file is new ("Untitled") or holds a file that could not be read.
  if (auto file = fw::GetSaveFolderItem("GradixData", Title())) {
    myFile = file;
    SetTitle(file->Name());
    Files.DoSave();
  }
  return true;
}

bool MainWndo::_FileSaveAs_Action() {
  auto file = fw::GetSaveFolderItem("GradixData", Title(), myFile.get());
  if (!file) return false;
  myFile = file;
  SetTitle(file->Name());
  Files.DoSave();
  return true;
}

bool MainWndo::_EditUndo_Action() {
  if (!LastAction) return false;
  // The record may clear LastAction while it runs.
  auto record = LastAction;
  record->Undo();
  return true;
}

bool MainWndo::_FileImport_Action() {
  Files.ReadImported();
  return true;
}

bool MainWndo::_HelpAboutGradix_Action() {
  AboutWndo().Show();
  return false;
}
