#include <unistd.h>

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/App.h"
#include "app/FileTypes.h"
#include "app/Startup.h"
#include "calculators/PropUncSheet.h"
#include "calculators/RepDatSheet.h"
#include "engine/GlobalFuncts.h"
#include "files/ImportSheet.h"
#include "files/SaveQuery.h"
#include "framework/Clipboard.h"
#include "framework/CheckBox.h"
#include "framework/FileTestHooks.h"
#include "framework/FolderItem.h"
#include "framework/GroupBox.h"
#include "framework/Listbox.h"
#include "framework/Maths.h"
#include "framework/PopupMenu.h"
#include "framework/RadioButton.h"
#include "framework/Slider.h"
#include "framework/TabPanel.h"
#include "framework/Text.h"
#include "graph/SSRect.h"
#include "tests/support/PdfFiles.h"
#include "tests/window/ShellFixture.h"
#include "window/graphpage/LabelSheet.h"
#include "window/graphpage/UnitsSheet.h"
#include "window/table/FillSheet.h"

namespace {

namespace th = fw::TestHooks;

// The application started as the user starts it, windows opened from its menus,
// and everything typed and clicked the way a student does it before a deadline.
class StudentStoryTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    fw::SeedRnd(20261209);
    Startup::_InitFileTypes();
    Startup::_NewAppInstance();
    Startup::_ApplicationAddMenuHandlers();
    dir = std::filesystem::temp_directory_path() / ("gradix-student-" + std::to_string(::getpid()) + "-" +
                                                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
  }
  void TearDown() override {
    fw::FileTestHooks::ClearChooserAnswer();
    fw::FileTestHooks::ClearPrinterAnswer();
    ShellTest::TearDown();
    Startup::_ReleaseAppInstance();
    FileTypes::_Release();
    std::filesystem::remove_all(dir);
  }

  std::string Path(const std::string& name) const { return (dir / name).string(); }

  static std::vector<MainWndo*> Documents() {
    std::vector<MainWndo*> found;
    for (fw::Window* window : fw::Windows()) {
      if (auto* doc = dynamic_cast<MainWndo*>(window); doc && !doc->IsClosed()) found.push_back(doc);
    }
    return found;
  }

  // File > New, then the five fields of the "Names" page clicked and typed into.
  MainWndo& NewDocumentWithNames() {
    App()._FileNew_Action();
    MainWndo& w = *Documents().back();
    w.Show();
    th::ProcessEvents();
    const std::pair<fw::EditField*, const char*> names[] = {
        {w.EFNames, "Ann and Bo"}, {w.EFHName, "t"}, {w.EFHUnits, "s"}, {w.EFVName, "d"}, {w.EFVUnits, "m"}};
    for (const auto& [field, text] : names) {
      th::Click(*field);
      th::TypeText(*field, text);
    }
    th::ClickTab(*w.TabPanel1, MainWndo::DataPageIndex);
    return w;
  }

  static void ClickCell(MainWndo& w, int row, int col) {
    int x = 0, y = 0;
    w.LBData->CellCentre(row, col, &x, &y);
    th::ClickAt(*w.LBData, x, y);
  }
  static std::vector<std::string> Cells(MainWndo& w, int rows) {
    std::vector<std::string> cells;
    for (int r = 0; r < rows; ++r) {
      for (int c = 1; c <= 4; ++c) cells.push_back(w.LBData->Cell(r, c));
    }
    return cells;
  }

  static std::string BoxText(const SSRect& box) {
    const std::string& s = box.theString;
    const auto end = s.find('#', s.find("@#") + 2);
    return s.substr(end + 1);
  }

  static int CountLines(const std::string& path) {
    const std::string text = ReadFile(path);
    int lines = 0;
    for (char ch : text) lines += ch == '\n';
    return lines;
  }

  std::filesystem::path dir;
};

// Free fall: eight times and drops with their uncertainties, d against t^2, a fit,
// a look at a fictitious team, new labels, File > Save, close, File > Open.
TEST_F(StudentStoryTest, FreeFallFromTypingToTheReopenedFit) {
  MainWndo& w = NewDocumentWithNames();
  ASSERT_EQ(w.TabPanel1->Value(), MainWndo::DataPageIndex);
  EXPECT_EQ(w.GBH->Caption(), "t in s");
  EXPECT_EQ(w.GBV->Caption(), "d in m");
  ASSERT_EQ(w.LBData->EditRow(), 0);
  ASSERT_EQ(w.LBData->EditColumn(), 1);

  // Across the divider: Tab runs t, its uncertainty, d, its uncertainty, next row.
  th::Click(*w.CBTabAcross);
  EXPECT_TRUE(w.CBTabAcross->Value());
  ClickCell(w, 0, 1);
  const char* const times[8] = {"0.20", "0.30", "0.40", "0.50", "0.60", "0.70", "0.80", "0.90"};
  const char* const drops[8] = {"0.196", "0.443", "0.785", "1.224", "1.765", "2.400", "3.137", "3.969"};
  for (int r = 0; r < 8; ++r) {
    th::TypeText(*w.LBData, times[r]);
    th::PressKey(*w.LBData, "Tab");
    if (r == 0) th::TypeText(*w.LBData, "0.01");
    th::PressKey(*w.LBData, "Tab");
    th::TypeText(*w.LBData, drops[r]);
    th::PressKey(*w.LBData, "Tab");
    th::TypeText(*w.LBData, "0.005");
    th::PressKey(*w.LBData, r == 7 ? "Enter" : "Tab");
  }
  EXPECT_EQ(w.LBData->EditRow(), 8);
  EXPECT_EQ(w.LBData->EditColumn(), 1);
  EXPECT_EQ(w.LBData->Cell(0, 2), "0.01");
  EXPECT_EQ(w.LBData->Cell(1, 2), "");
  EXPECT_EQ(w.LBData->Cell(7, 3), "3.97");
  EXPECT_TRUE(w.Dirty);

  // The time uncertainty filled down from its first cell for the eight rows.
  ClickCell(w, 0, 2);
  th::AnswerNextDialog([](fw::Window& dialog) {
    auto& d = dynamic_cast<class FillSheet&>(dialog);
    EXPECT_EQ(d.EFValue.Text(), "0.01");
    d.EFNRows.SelectAll();
    th::TypeText(d.EFNRows, "8");
    d.PBFill.Push();
  });
  th::TypeText(*w.LBData, "f");
  EXPECT_EQ(th::UnansweredDialogs(), 0);
  for (int r = 0; r < 8; ++r) EXPECT_EQ(w.Data[0][r][2], 0.01) << r;
  EXPECT_EQ(w.LBData->Cell(7, 2), "0.01");
  EXPECT_FALSE(w.CellFull[8][2]);
  EXPECT_NE(w.LastAction, nullptr);

  // t shown as t^2, with its simulated uncertainty 2 t dt.
  th::Click(*w.RBHCalculated);
  EXPECT_EQ(w.EFHFormula->Text(), "ln(t)");
  w.EFHFormula->SelectAll();
  th::TypeText(*w.EFHFormula, "t^2");
  th::PressKey(*w.EFHFormula, "Return");
  EXPECT_TRUE(w.CalcOK[1]);
  EXPECT_EQ(w.LBData->Cell(0, 1), "0.04");
  EXPECT_EQ(w.LBData->Cell(7, 1), "0.81");
  EXPECT_NEAR(w.Data[1][7][2], 2 * 0.9 * 0.01, 0.002);
  EXPECT_EQ(w.LBData->Cell(8, 1), "");
  EXPECT_FALSE(th::MenuItemEnabled(w, "FileImport"));

  // The graph asks once for the units of t^2.
  th::AnswerNextDialog([](fw::Window& dialog) {
    auto& d = dynamic_cast<class UnitsSheet&>(dialog);
    EXPECT_TRUE(d.EFH->Visible());
    EXPECT_FALSE(d.EFV->Visible());
    EXPECT_FALSE(d.PBDone->Enabled());
    th::TypeText(*d.EFH, "s^2^");
    th::Click(*d.PBDone);
  });
  th::ClickTab(*w.TabPanel1, MainWndo::GraphPageIndex);
  ASSERT_EQ(w.TabPanel1->Value(), MainWndo::GraphPageIndex);
  EXPECT_EQ(th::UnansweredDialogs(), 0);
  EXPECT_EQ(w.GrfXUnits, "s^2^");
  EXPECT_EQ(BoxText(*w.SSTeam), "!Data taken by:!|Ann and Bo");
  EXPECT_TRUE(w.GotGraph);
  EXPECT_FALSE(w.SDDatGrfd->Enabled());

  th::Click(*w.PBFit);
  ASSERT_TRUE(w.HaveFit);
  EXPECT_NEAR(w.Slope[1], 4.9, 0.02);
  EXPECT_NEAR(w.Intercept[1], 0.0, 0.01);
  EXPECT_GT(w.SlopeUnc, 0.0);
  EXPECT_LT(w.SlopeUnc, 0.2);
  EXPECT_TRUE(w.SSFitInfo->Visible());
  std::string sv, su, iv, iu;
  GlobalFuncts::FormatValUnc(w.Slope[1], w.SlopeUnc, sv, su);
  GlobalFuncts::FormatValUnc(w.Intercept[1], w.InterceptUnc, iv, iu);
  const std::string originalFit = "!Slope:!|" + sv + " \u00B1 " + su + " m/s^2^|!Intercept:!|" + iv + " \u00B1 " + iu + " m";
  EXPECT_EQ(BoxText(*w.SSFitInfo), originalFit);
  ASSERT_TRUE(w.SDDatGrfd->Enabled());
  EXPECT_TRUE(w.SDDatDspd->Enabled());

  // Team 5 by the arrow keys on the graph's slider, shown on both pages; then back.
  for (int i = 0; i < 4; ++i) th::PressKey(*w.SDDatGrfd, "Right");
  ASSERT_EQ(w.SDDatGrfd->Value(), 5);
  EXPECT_EQ(w.SDDatDspd->Value(), 5);
  EXPECT_EQ(w.STDatGrfd->Text(), "Ficticious Team 5");
  EXPECT_EQ(w.STDatDspd->Text(), "Ficticious Team 5");
  EXPECT_EQ(BoxText(*w.SSTeam), "!Data taken by:!|Ficticious Team &#5");
  GlobalFuncts::FormatValUnc(w.Slope[5], w.SlopeUnc, sv, su);
  EXPECT_EQ(BoxText(*w.SSFitInfo).rfind("!Slope:!|" + sv + " \u00B1 " + su + " m/s^2^", 0), 0u);
  EXPECT_NE(w.Slope[5], w.Slope[1]);
  EXPECT_FALSE(w.RBHEntered->Enabled());
  EXPECT_FALSE(w.EFHFormula->Enabled());
  th::PressKey(*w.SDDatGrfd, "Home");
  EXPECT_EQ(w.SDDatGrfd->Value(), 1);
  EXPECT_EQ(w.STDatDspd->Text(), "Original Data");
  EXPECT_EQ(BoxText(*w.SSTeam), "!Data taken by:!|Ann and Bo");
  EXPECT_EQ(BoxText(*w.SSFitInfo), originalFit);
  EXPECT_TRUE(w.RBHEntered->Enabled());
  EXPECT_TRUE(w.HaveFit);

  // "Edit Graph Labels": a styled title and the horizontal label.
  th::AnswerNextDialog([](fw::Window& dialog) {
    auto& d = dynamic_cast<class LabelSheet&>(dialog);
    d.EFTitle->SelectAll();
    th::TypeText(*d.EFTitle, "!Free fall!");
    d.EFHLabel->SelectAll();
    th::TypeText(*d.EFHLabel, "t^2^");
    th::Click(*d.PBDone);
  });
  th::Click(*w.PBFixLabels);
  EXPECT_EQ(th::UnansweredDialogs(), 0);
  EXPECT_EQ(w.GrfTitle, "!Free fall!");
  EXPECT_EQ(w.GrfXLabel, "t^2^");
  EXPECT_TRUE(w.HaveFit);
  const std::vector<std::string> cells = Cells(w, 9);
  const double savedSlope = w.Slope[1];
  // The window is gone after File > Close: keep what the reopened one is compared with.
  std::vector<double> savedUncertainties;
  for (int row = 0; row < 8; ++row) savedUncertainties.push_back(w.Data[1][row][2]);
  const double savedUnc = w.SlopeUnc;
  const std::string hMin = w.EFHMin->Text();
  const std::string vMax = w.EFVMax->Text();
  EXPECT_TRUE(th::SaveScreenshot(w, Path("fit.png")));

  // File > Save asks for a file the first time, and names the window after it.
  ASSERT_TRUE(th::MenuItemEnabled(w, "FileSave"));
  fw::FileTestHooks::AnswerNextChooser(Path("fall.gdx"));
  ASSERT_TRUE(th::ChooseMenu(w, "FileSave"));
  EXPECT_EQ(w.Title(), "fall.gdx");
  EXPECT_FALSE(w.Dirty);
  EXPECT_EQ(CountLines(Path("fall.gdx")), 527);
  EXPECT_FALSE(th::MenuItemEnabled(w, "FileSave"));

  // Saved: File > Close asks nothing.
  ASSERT_TRUE(th::ChooseMenu(w, "FileClose"));
  EXPECT_EQ(th::DialogsShown(), 3);
  EXPECT_TRUE(Documents().empty());

  fw::FileTestHooks::AnswerNextChooser(Path("fall.gdx"));
  App()._FileOpen_Action();
  ASSERT_EQ(Documents().size(), 1u);
  MainWndo& r = *Documents().front();
  EXPECT_EQ(r.Title(), "fall.gdx");
  EXPECT_FALSE(r.Dirty);
  EXPECT_EQ(r.EFNames->Text(), "Ann and Bo");
  EXPECT_EQ(r.EFVUnits->Text(), "m");
  EXPECT_TRUE(r.RBHCalculated->Value());
  EXPECT_TRUE(r.RBVEntered->Value());
  EXPECT_EQ(r.EFHFormula->Text(), "t^2");
  EXPECT_EQ(r.PUHFormat->ListIndex(), 2);
  EXPECT_EQ(r.GrfTitle, "!Free fall!");
  EXPECT_EQ(r.GrfXLabel, "t^2^");
  EXPECT_EQ(r.EFHMin->Text(), hMin);
  EXPECT_EQ(r.EFVMax->Text(), vMax);
  EXPECT_TRUE(r.GotGraph);
  EXPECT_TRUE(r.HaveFit);
  EXPECT_DOUBLE_EQ(r.Slope[1], savedSlope);
  EXPECT_NEAR(r.SlopeUnc, savedUnc, 0.3 * savedUnc);
  EXPECT_FALSE(r.SDDatDspd->Enabled());
  EXPECT_EQ(r.STDatDspd->Text(), "Original Data");
  // The calculated uncertainties are simulated again, so only the values must agree.
  const std::vector<std::string> reopened = Cells(r, 9);
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (i % 4 != 1) {
      EXPECT_EQ(reopened[i], cells[i]) << "row " << i / 4 << " column " << i % 4 + 1;
    }
  }
  for (int row = 0; row < 8; ++row) EXPECT_NEAR(r.Data[1][row][2], savedUncertainties[row], 0.005) << row;

  // Its graph page draws the reopened fit as it was.
  th::ClickTab(*r.TabPanel1, MainWndo::GraphPageIndex);
  ASSERT_EQ(r.TabPanel1->Value(), MainWndo::GraphPageIndex);
  EXPECT_EQ(th::UnansweredDialogs(), 0);
  EXPECT_TRUE(r.SSFitInfo->Visible());
  EXPECT_EQ(BoxText(*r.SSFitInfo).rfind("!Slope:!|", 0), 0u);
  EXPECT_TRUE(th::SaveScreenshot(r, Path("reopened.png")));

  // Renaming t on the "Names" page carries into the formula, which is calculated again.
  th::ClickTab(*r.TabPanel1, MainWndo::NamesPage);
  th::Click(*r.EFHName);
  r.EFHName->SelectAll();
  th::TypeText(*r.EFHName, "time");
  th::ClickTab(*r.TabPanel1, MainWndo::DataPageIndex);
  ASSERT_EQ(r.TabPanel1->Value(), MainWndo::DataPageIndex);
  EXPECT_EQ(r.EFHFormula->Text(), "time^2");
  EXPECT_EQ(r.GBH->Caption(), "time in s");
  EXPECT_EQ(r.LBData->Cell(7, 1), "0.81");
  EXPECT_TRUE(r.CalcOK[1]);
  EXPECT_TRUE(r.Dirty);

  // File > Save As under a name without the ending: the file gets it.
  fw::FileTestHooks::AnswerNextChooser(Path("fall again"));
  ASSERT_TRUE(th::ChooseMenu(r, "FileSaveAs"));
  EXPECT_FALSE(r.Dirty);
  EXPECT_EQ(r.Title(), "fall again");
  EXPECT_EQ(CountLines(Path("fall again.gdx")), 527);
  EXPECT_FALSE(std::filesystem::exists(Path("fall again")));
  ASSERT_TRUE(th::ChooseMenu(r, "FileClose"));
  fw::FileTestHooks::AnswerNextChooser(Path("fall again.gdx"));
  App()._FileOpen_Action();
  ASSERT_EQ(Documents().size(), 1u);
  EXPECT_EQ(Documents().front()->EFHFormula->Text(), "time^2");
  EXPECT_EQ(Documents().front()->EFHName->Text(), "time");
  EXPECT_EQ(th::UnansweredDialogs(), 0);
}

// Both calculators write into the table; "Clear Data" then Edit > "Undo".
TEST_F(StudentStoryTest, CalculatorsFillTheTableAndClearDataIsUndone) {
  MainWndo& w = NewDocumentWithNames();
  ASSERT_EQ(w.LBData->EditColumn(), 1);

  // Five stopwatch readings, typed into the repeated-measurement dialog.
  th::AnswerNextDialog([](fw::Window& d) {
    auto& field = d.Get<fw::EditField>("EFData");
    th::TypeText(field, "1.52,1.48,1.50,1.55,1.45");
    th::PressKey(field, "Return");
    th::Click(d.Get<fw::PushButton>("PBEnter"));
  });
  th::TypeText(*w.LBData, "r");
  EXPECT_EQ(th::UnansweredDialogs(), 0);
  EXPECT_EQ(w.Data[0][0][1], 1.5);
  EXPECT_TRUE(w.CellFull[0][2]);
  EXPECT_NEAR(w.Data[0][0][2], 2.776 * 0.0381 / std::sqrt(5.0), 0.001);
  EXPECT_EQ(w.LBData->Cell(0, 2), GlobalFuncts::Reformat(w.Data[0][0][2], 2));
  EXPECT_EQ(w.LBData->Cell(0, 2), "0.05");

  // The distance propagated from a length measured three times and a factor,
  // into the vertical pair.
  ClickCell(w, 0, 3);
  ASSERT_EQ(w.LBData->EditColumn(), 3);
  std::string lengthUnc;
  int uncCaret = -1;
  th::AnswerNextDialog([&](fw::Window& d) {
    th::TypeText(d.Get<fw::EditField>("EFName", 0), "L");
    th::AnswerNextDialog([](fw::Window& repeated) {
      auto& field = repeated.Get<fw::EditField>("EFData");
      th::TypeText(field, "2.0,2.1,1.9");
      th::PressKey(field, "Return");
      th::PressKey(field, "Enter");
    });
    th::TypeText(d.Get<fw::EditField>("EFValue", 0), "r");
    lengthUnc = d.Get<fw::EditField>("EFUnc", 0).Text();
    uncCaret = d.Get<fw::EditField>("EFUnc", 0).SelStart();
    th::TypeText(d.Get<fw::EditField>("EFExpression"), "3*L");
    th::PressKey(d.Get<fw::EditField>("EFExpression"), "Return");
    th::Click(d.Get<fw::PushButton>("PBEnter"));
  });
  th::TypeText(*w.LBData, "=");
  EXPECT_EQ(th::UnansweredDialogs(), 0);
  EXPECT_EQ(th::DialogsShown(), 3);
  // 4.303 * 0.1 / sqrt(3), shown from its first digit, not scrolled to its last.
  EXPECT_EQ(lengthUnc.rfind("0.2484", 0), 0u) << lengthUnc;
  EXPECT_EQ(uncCaret, 0);
  ASSERT_TRUE(w.CellFull[0][3]);
  EXPECT_NEAR(w.Data[0][0][3], 6.0, 0.05);
  // The entered uncertainty is a 95 % half-width, so 3 L has 3 times it.
  EXPECT_NEAR(w.Data[0][0][4], 0.745, 0.04);
  EXPECT_TRUE(w.CellFull[0][4]);

  // A second row by hand: Tab stays on one side of the divider.
  ClickCell(w, 1, 1);
  for (const char* text : {"2.5", "0.05"}) {
    th::TypeText(*w.LBData, text);
    th::PressKey(*w.LBData, "Tab");
  }
  EXPECT_EQ(w.LBData->EditRow(), 2);
  EXPECT_EQ(w.LBData->EditColumn(), 1);
  ClickCell(w, 1, 3);
  for (const char* text : {"9.9", "0.6"}) {
    th::TypeText(*w.LBData, text);
    th::PressKey(*w.LBData, "Tab");
  }
  EXPECT_EQ(w.LBData->EditRow(), 2);
  EXPECT_EQ(w.LBData->EditColumn(), 3);
  EXPECT_FALSE(w.CellFull[2][1]);
  EXPECT_EQ(w.LBData->Cell(1, 3), "9.90");
  const std::vector<std::string> before = Cells(w, 2);
  EXPECT_EQ(before[4], "2.50");
  EXPECT_EQ(before[5], "0.05");

  th::Click(*w.PBClearData);
  for (int r = 0; r < 2; ++r) {
    for (int c = 1; c <= 4; ++c) {
      EXPECT_FALSE(w.CellFull[r][c]);
      EXPECT_EQ(w.LBData->Cell(r, c), "") << r << "," << c;
    }
  }
  ASSERT_TRUE(th::MenuItemEnabled(w, "EditUndo"));
  th::PressKey(w, "z", "ctrl");
  EXPECT_FALSE(th::MenuItemEnabled(w, "EditUndo"));
  EXPECT_EQ(w.Data[0][0][1], 1.5);
  EXPECT_NEAR(w.Data[0][0][3], 6.0, 0.05);
  EXPECT_EQ(w.Data[0][1][4], 0.6);
  for (int r = 0; r < 2; ++r) {
    for (int c = 1; c <= 4; ++c) EXPECT_TRUE(w.CellFull[r][c]) << r << "," << c;
  }
  // The open cell shows its plain value; the others their format.
  ClickCell(w, 5, 1);
  EXPECT_EQ(Cells(w, 2), before);
  EXPECT_TRUE(w.Dirty);
}

// A tab-separated file from the lab's logger replaces the typed rows; undone.
TEST_F(StudentStoryTest, ImportedTextIsOneUndoableChange) {
  MainWndo& w = NewDocumentWithNames();
  // The first value pasted from another program, its uncertainty typed.
  fw::Clipboard::SetText("7");
  ASSERT_TRUE(th::MenuItemEnabled(w, "EditPaste"));
  th::PressKey(w, "v", "ctrl");
  th::PressKey(*w.LBData, "Tab");
  th::TypeText(*w.LBData, "0.5");
  th::PressKey(*w.LBData, "Tab");
  EXPECT_EQ(w.LBData->EditRow(), 1);
  EXPECT_EQ(w.Data[0][0][1], 7);
  EXPECT_EQ(w.LBData->Cell(0, 1), "7.00");
  ASSERT_TRUE(th::MenuItemEnabled(w, "FileImport"));

  std::ofstream(Path("logger.txt")) << "1\t0.1\t2.05\t0.2\n2\t0.1\t3.9\t0.2\n3\t0.1\t6.1\t0.2\n";
  fw::FileTestHooks::AnswerNextChooser(Path("logger.txt"));
  th::AnswerNextDialog([](fw::Window& dialog) {
    auto& d = dynamic_cast<class ImportSheet&>(dialog);
    EXPECT_TRUE(d.RBFourCol->Value());
    th::Click(*d.PBDo);
  });
  ASSERT_TRUE(th::ChooseMenu(w, "FileImport"));
  EXPECT_EQ(th::UnansweredDialogs(), 0);
  EXPECT_EQ(fw::FileTestHooks::LastChooserRequest().typeName, "text/plain");
  EXPECT_EQ(w.Data[0][0][1], 1);
  EXPECT_EQ(w.Data[0][2][3], 6.1);
  EXPECT_EQ(w.LBData->Cell(2, 3), "6.10");
  EXPECT_EQ(w.LBData->Cell(1, 4), "0.20");
  EXPECT_FALSE(w.CellFull[3][1]);
  EXPECT_TRUE(w.Dirty);

  // The graph of the imported rows, then back to undo the import.
  th::ClickTab(*w.TabPanel1, MainWndo::GraphPageIndex);
  ASSERT_EQ(w.TabPanel1->Value(), MainWndo::GraphPageIndex);
  EXPECT_FALSE(th::MenuItemEnabled(w, "EditUndo"));
  th::ClickTab(*w.TabPanel1, MainWndo::DataPageIndex);

  std::ofstream(Path("second.txt")) << "4.5\t0.3\n5.5\t0.3\n";
  fw::FileTestHooks::AnswerNextChooser(Path("second.txt"));
  th::AnswerNextDialog([](fw::Window& dialog) {
    auto& d = dynamic_cast<class ImportSheet&>(dialog);
    th::Click(*d.RRBDatUnc);
    d.PUDatUnc->SetListIndex(1);
    th::Click(*d.PBDo);
  });
  ASSERT_TRUE(th::ChooseMenu(w, "FileImport"));
  EXPECT_EQ(w.Data[0][0][3], 4.5);
  EXPECT_EQ(w.Data[0][1][4], 0.3);
  EXPECT_EQ(w.Data[0][0][1], 1);
  EXPECT_EQ(w.Data[0][2][3], 6.1);

  ASSERT_TRUE(th::ChooseMenu(w, "EditUndo"));
  EXPECT_EQ(w.Data[0][0][3], 2.05);
  EXPECT_EQ(w.Data[0][2][3], 6.1);
  EXPECT_TRUE(w.CellFull[2][3]);
  EXPECT_EQ(w.LBData->Cell(2, 3), "6.10");
  EXPECT_EQ(w.LBData->Cell(1, 4), "0.20");
  EXPECT_EQ(th::UnansweredDialogs(), 0);

  // Ctrl+W on the changed, never saved document: "Save", then a file name.
  th::AnswerNextDialog([](fw::Window& dialog) { dynamic_cast<class SaveQuery&>(dialog).PBSave->Push(); });
  fw::FileTestHooks::AnswerNextChooser(Path("logger.gdx"));
  th::PressKey(w, "w", "ctrl");
  EXPECT_EQ(th::UnansweredDialogs(), 0);
  EXPECT_TRUE(Documents().empty());
  EXPECT_EQ(CountLines(Path("logger.gdx")), 527);
  fw::FileTestHooks::AnswerNextChooser(Path("logger.gdx"));
  App()._FileOpen_Action();
  ASSERT_EQ(Documents().size(), 1u);
  EXPECT_EQ(Documents().front()->Data[0][2][3], 6.1);
  EXPECT_EQ(Documents().front()->LBData->Cell(1, 4), "0.20");
}

// The table of 40 rows and the graph with its fit, printed to PDF.
TEST_F(StudentStoryTest, TableAndGraphArePrinted) {
  MainWndo& w = NewDocumentWithNames();
  ClickCell(w, 0, 1);
  th::AnswerNextDialog([](fw::Window& dialog) {
    auto& d = dynamic_cast<class FillSheet&>(dialog);
    d.EFTo.SelectAll();
    th::TypeText(d.EFTo, "40");
    d.PBSeq.Push();
  });
  th::TypeText(*w.LBData, "f");
  ClickCell(w, 0, 3);
  th::AnswerNextDialog([](fw::Window& dialog) {
    auto& d = dynamic_cast<class FillSheet&>(dialog);
    d.EFFrom.SelectAll();
    th::TypeText(d.EFFrom, "3");
    d.EFTo.SelectAll();
    th::TypeText(d.EFTo, "120");
    d.EFStep.SelectAll();
    th::TypeText(d.EFStep, "3");
    d.PBSeq.Push();
  });
  th::TypeText(*w.LBData, "f");
  EXPECT_EQ(th::UnansweredDialogs(), 0);
  EXPECT_EQ(w.LBData->Cell(39, 1), "40.00");
  EXPECT_EQ(w.LBData->Cell(39, 3), "120.00");
  EXPECT_FALSE(w.CellFull[40][3]);

  // One uncertainty typed on top, carried down by an option-click on the last row.
  ClickCell(w, 0, 4);
  th::TypeText(*w.LBData, "0.5");
  int x = 0, y = 0;
  w.LBData->SetListIndex(39);
  w.LBData->CellCentre(39, 4, &x, &y);
  th::ClickAt(*w.LBData, x, y, "alt");
  EXPECT_EQ(w.LBData->Cell(38, 4), "0.50");
  EXPECT_EQ(w.LBData->EditRow(), 39);
  EXPECT_EQ(w.LBData->Cell(39, 4), "0.5");
  EXPECT_EQ(w.Data[0][20][4], 0.5);
  EXPECT_FALSE(w.CellFull[40][4]);
  ASSERT_TRUE(th::MenuItemEnabled(w, "EditUndo"));

  const std::string table = Path("table.pdf");
  fw::FileTestHooks::SetPrinterAnswer(table);
  th::Click(*w.PBPrintTable);
  EXPECT_EQ(fw::FileTestHooks::PrinterDialogCount(), 1);
  const int tablePages = PdfPages(table);
  EXPECT_EQ(tablePages, 1);
  const std::string text = PdfText(table);
  if (!text.empty()) {
    EXPECT_NE(text.find("Data taken by: Ann and Bo"), std::string::npos);
    EXPECT_NE(text.find("120.00"), std::string::npos);
    EXPECT_NE(text.find("40.00"), std::string::npos);
    EXPECT_NE(text.find("0.50"), std::string::npos);
    EXPECT_EQ(text.find("Page 2"), std::string::npos);
  }

  th::ClickTab(*w.TabPanel1, MainWndo::GraphPageIndex);
  ASSERT_EQ(w.TabPanel1->Value(), MainWndo::GraphPageIndex);
  th::Click(*w.PBFit);
  EXPECT_DOUBLE_EQ(w.Slope[1], 3);
  EXPECT_LT(w.SlopeUnc, 0.05);

  // A last correction typed into a cell and left open for the "Graph" tab counts.
  th::ClickTab(*w.TabPanel1, MainWndo::DataPageIndex);
  ClickCell(w, 39, 3);
  w.LBData->ActiveCell()->SelectAll();
  th::TypeText(*w.LBData, "121");
  EXPECT_FALSE(w.HaveFit);
  th::ClickTab(*w.TabPanel1, MainWndo::GraphPageIndex);
  ASSERT_EQ(w.TabPanel1->Value(), MainWndo::GraphPageIndex);
  EXPECT_EQ(w.Data[0][39][3], 121);
  // The limits kept from the first drawing leave it above the top; "Clear Limits" finds it.
  EXPECT_EQ(w.EFVMax->Text(), "120");
  th::Click(*w.PBClearLimits);
  EXPECT_EQ(w.EFVMax->Text(), "");
  th::Click(*w.PBUpdate);
  EXPECT_GE(fw::Val(w.EFVMax->Text()), 121) << w.EFVMax->Text();
  th::Click(*w.PBFit);
  EXPECT_GT(w.Slope[1], 3);
  const std::string graph = Path("graph.pdf");
  fw::FileTestHooks::SetPrinterAnswer(graph);
  th::Click(*w.PBPrintGraph);
  EXPECT_EQ(fw::FileTestHooks::PrinterDialogCount(), 2);
  EXPECT_EQ(PdfPages(graph), 1);
  EXPECT_TRUE(w.HaveFit);

  // A cancelled printer dialog prints nothing and shows nothing.
  fw::FileTestHooks::SetPrinterAnswer(std::nullopt);
  const int dialogs = th::DialogsShown();
  th::Click(*w.PBPrintGraph);
  EXPECT_EQ(fw::FileTestHooks::PrinterDialogCount(), 3);
  EXPECT_EQ(th::DialogsShown(), dialogs);
  EXPECT_TRUE(messages.empty());

  // A printer that cannot be opened gets the graph's message.
  fw::FileTestHooks::SetPrinterAnswer(Path("no-such-folder/graph.pdf"));
  AnswerWarning();
  th::Click(*w.PBPrintGraph);
  EXPECT_EQ(fw::FileTestHooks::PrinterDialogCount(), 4);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text, "Internal printing problem: Graphics object is nil");
  EXPECT_EQ(messages[0].button, "OK");
  EXPECT_EQ(th::UnansweredDialogs(), 0);
}

}  // namespace
