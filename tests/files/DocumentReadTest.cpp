#include <cmath>

#include "FilesFixture.h"
#include "engine/GlobalFuncts.h"
#include "files/DocumentFile.h"
#include "framework/Slider.h"
#include "graph/SSRect.h"

namespace {

class DocumentReadTest : public FilesTest {
 protected:
  // A saved document of three full rows and one half-full row, with its settings.
  std::string SaveSample() {
    ToDataPage();
    w->PUHFormat->SetListIndex(3);
    w->PUVFormat->SetListIndex(8);
    Enter(0, 1, "0.1234567890123456");
    Enter(0, 2, "0");
    Enter(0, 3, "-98765.4321");
    Enter(0, 4, "1e-300");
    Enter(1, 1, "2");
    Enter(1, 3, "7");
    Enter(98, 4, "3.5");
    w->EFVFormula->SetText("d*2");
    w->GrfTeam = "!Data taken by:!|Ann and Bo";
    w->GrfTitle = "Title";
    w->GrfXLabel = "t";
    w->GrfXUnits = "s";
    w->GrfYLabel = "d";
    w->GrfYUnits = "m";
    w->SlopeUnits = "m/s";
    w->InterceptUnits = "m";
    w->EFHMin->SetText("-1");
    w->EFHMax->SetText("5");
    w->EFVMin->SetText("a");
    w->EFVMax->SetText("");
    w->GotGraph = true;
    w->SSTeam->SetLeft(140);
    w->SSTeam->SetTop(120);
    w->SSTeam->DeFlowered = true;
    w->SSFitInfo->SetLeft(210);
    w->SSFitInfo->SetTop(500);
    const std::string path = Path("sample.gdx");
    w->myFile = std::make_shared<fw::FolderItem>(path);
    w->SetTitle("sample.gdx");
    w->Files.DoSave();
    return path;
  }

  void ExpectEmpty(const MainWndo& r) {
    EXPECT_EQ(r.EFNames->Text(), "");
    EXPECT_EQ(r.EFHName->Text(), "");
    EXPECT_EQ(r.PUHFormat->ListIndex(), 2);
    for (int row = 0; row < 99; ++row) {
      for (int col = 1; col <= 4; ++col) EXPECT_FALSE(r.CellFull[row][col]);
    }
    EXPECT_FALSE(r.Dirty);
  }
};

TEST_F(DocumentReadTest, ASavedDocumentComesBackAsItWasSaved) {
  const std::string path = SaveSample();
  MainWndo& r = OpenDocument(path);
  ASSERT_NE(&r, w);
  EXPECT_EQ(r.Title(), "sample.gdx");
  EXPECT_EQ(r.myFile->Path(), path);

  EXPECT_EQ(r.EFNames->Text(), "Ann and Bo");
  EXPECT_EQ(r.EFHName->Text(), "t");
  EXPECT_EQ(r.EFHUnits->Text(), "s");
  EXPECT_EQ(r.EFVName->Text(), "d");
  EXPECT_EQ(r.EFVUnits->Text(), "m");
  EXPECT_EQ(r.VHName, "t");
  EXPECT_EQ(r.VVName, "d");
  EXPECT_EQ(r.PUHFormat->ListIndex(), 3);
  EXPECT_EQ(r.PUVFormat->ListIndex(), 8);
  EXPECT_TRUE(r.RBHEntered->Value());
  EXPECT_TRUE(r.RBVEntered->Value());
  EXPECT_EQ(r.EFVFormula->Text(), "d*2");
  EXPECT_EQ(r.GrfTeam, "!Data taken by:!|Ann and Bo");
  EXPECT_EQ(r.GrfTitle, "Title");
  EXPECT_EQ(r.GrfXLabel, "t");
  EXPECT_EQ(r.GrfXUnits, "s");
  EXPECT_EQ(r.GrfYLabel, "d");
  EXPECT_EQ(r.GrfYUnits, "m");
  EXPECT_EQ(r.SlopeUnits, "m/s");
  EXPECT_EQ(r.InterceptUnits, "m");
  EXPECT_EQ(r.EFHMin->Text(), "-1");
  EXPECT_EQ(r.EFHMax->Text(), "5");
  EXPECT_EQ(r.EFVMin->Text(), "a");
  EXPECT_EQ(r.EFVMax->Text(), "");
  EXPECT_TRUE(r.GotGraph);
  EXPECT_FALSE(r.HaveFit);
  EXPECT_EQ(r.SSTeam->Left(), 140);
  EXPECT_EQ(r.SSTeam->Top(), 120);
  EXPECT_TRUE(r.SSTeam->DeFlowered);
  EXPECT_EQ(r.SSFitInfo->Left(), 210);
  EXPECT_EQ(r.SSFitInfo->Top(), 500);
  EXPECT_FALSE(r.SSFitInfo->DeFlowered);

  for (int row = 0; row < 99; ++row) {
    for (int col = 1; col <= 4; ++col) {
      EXPECT_EQ(r.CellFull[row][col], w->CellFull[row][col]) << row << "," << col;
      EXPECT_EQ(r.Data[0][row][col], w->Data[0][row][col]) << row << "," << col;
    }
  }
  EXPECT_EQ(r.Data[0][0][1], 0.1234567890123456);
  EXPECT_TRUE(r.CellFull[0][2]);
  EXPECT_FALSE(r.CellFull[1][2]);
  EXPECT_EQ(r.Data[0][1][2], 0.0);
  // Shown in the stored formats.
  EXPECT_EQ(r.LBData->Cell(0, 1), GlobalFuncts::Reformat(0.1234567890123456, 3));
  EXPECT_EQ(r.LBData->Cell(0, 3), GlobalFuncts::Reformat(-98765.4321, 8));
  EXPECT_EQ(r.LBData->Cell(1, 2), "");

  EXPECT_FALSE(r.Dirty);
  EXPECT_EQ(r.LastAction, nullptr);
  EXPECT_EQ(r.TabPanel1->Value(), MainWndo::NamesPage);
  EXPECT_EQ(r.SDDatDspd->Value(), 1);
  EXPECT_FALSE(r.SDDatDspd->Enabled());
}

TEST_F(DocumentReadTest, ACalculatedVariableIsCalculatedAgain) {
  ToDataPage();
  for (int row = 0; row < 3; ++row) Enter(row, 1, fw::Str(row + 1));
  for (int row = 0; row < 3; ++row) Enter(row, 2, "0.1");
  fw::TestHooks::Click(*w->RBHCalculated);
  w->EFHFormula->SetText("t^2");
  fw::TestHooks::PressKey(*w->EFHFormula, "Return");
  ASSERT_TRUE(w->CalcOK[1]);
  w->myFile = std::make_shared<fw::FolderItem>(Path("calc.gdx"));
  w->SetTitle("calc.gdx");
  w->Files.DoSave();
  EXPECT_EQ(ReadLines(Path("calc.gdx"))[8], "true");
  EXPECT_EQ(ReadLines(Path("calc.gdx"))[9], "false");

  MainWndo& r = OpenDocument(Path("calc.gdx"));
  EXPECT_TRUE(r.RBHCalculated->Value());
  EXPECT_TRUE(r.CalcOK[1]);
  for (int row = 0; row < 3; ++row) {
    EXPECT_EQ(r.Data[0][row][1], row + 1.0);
    EXPECT_DOUBLE_EQ(r.Data[1][row][1], (row + 1.0) * (row + 1.0));
    EXPECT_EQ(r.LBData->Cell(row, 1), GlobalFuncts::Reformat(r.Data[1][row][1], 2));
  }
  EXPECT_FALSE(r.Dirty);
  EXPECT_FALSE(r.GotGraph);
}

TEST_F(DocumentReadTest, ASavedFitIsRemadeWithNewTeams) {
  ToDataPage();
  const double xs[5] = {1, 2, 3, 4, 5};
  for (int row = 0; row < 5; ++row) {
    Enter(row, 1, fw::Str(xs[row]));
    Enter(row, 2, "0.1");
    Enter(row, 3, fw::Str(2 * xs[row] + 1 + (row % 2 ? 0.05 : -0.05)));
    Enter(row, 4, "0.2");
  }
  fw::TestHooks::ClickTab(*w->TabPanel1, MainWndo::GraphPageIndex);
  ASSERT_EQ(w->TabPanel1->Value(), MainWndo::GraphPageIndex);
  w->PBFit->Push();
  ASSERT_TRUE(w->HaveFit);
  const double savedSlope = w->Slope[1];
  w->myFile = std::make_shared<fw::FolderItem>(Path("fit.gdx"));
  w->SetTitle("fit.gdx");
  w->Files.DoSave();
  EXPECT_EQ(ReadLines(Path("fit.gdx"))[25], "true");

  MainWndo& r = OpenDocument(Path("fit.gdx"));
  EXPECT_TRUE(r.HaveFit);
  EXPECT_DOUBLE_EQ(r.Slope[1], savedSlope);
  EXPECT_NEAR(r.Slope[1], 2.0, 0.05);
  EXPECT_GT(r.SlopeUnc, 0.0);
  EXPECT_GT(r.InterceptUnc, 0.0);
  EXPECT_NE(r.Data[2][0][1], w->Data[2][0][1]);
  EXPECT_EQ(r.SDDatDspd->Value(), 1);
  EXPECT_FALSE(r.SDDatDspd->Enabled());
  EXPECT_FALSE(r.Dirty);
}

TEST_F(DocumentReadTest, ASavedFitThatCanNoLongerBeMadeOpensWithoutAFit) {
  ToDataPage();
  for (int row = 0; row < 5; ++row) {
    Enter(row, 1, fw::Str(row + 1));
    Enter(row, 2, "0.1");
    Enter(row, 3, fw::Str(2 * row + 3));
  }
  fw::TestHooks::ClickTab(*w->TabPanel1, MainWndo::GraphPageIndex);
  w->PBFit->Push();
  ASSERT_TRUE(w->HaveFit);
  w->myFile = std::make_shared<fw::FolderItem>(Path("fit.gdx"));
  w->SetTitle("fit.gdx");
  w->Files.DoSave();
  const auto good = ReadLines(Path("fit.gdx"));
  ASSERT_EQ(good[25], "true");

  // The vertical variable shown as calculated by a formula that no longer compiles; then
  // five equal horizontal values.
  auto formula = good;
  formula[9] = "true";
  formula[11] = "d+";
  auto equal = good;
  for (int row = 0; row < 5; ++row) equal[33 + 5 * row] = "+2.000000000000000e+0";
  for (const auto& [name, lines] : {std::pair{"formula.gdx", formula}, std::pair{"equal.gdx", equal}}) {
    WriteLines(Path(name), lines);
    messages.clear();
    if (lines[9] == "true") AnswerWarning();
    MainWndo& r = OpenDocument(Path(name));
    EXPECT_EQ(messages.size(), lines[9] == "true" ? 1u : 0u) << name;
    EXPECT_FALSE(r.HaveFit) << name;
    EXPECT_EQ(r.SlopeUnc, 0) << name;
    EXPECT_FALSE(r.Dirty) << name;

    // Its graph page draws no fit box (the calculated column has no points to draw at all);
    // saved again, the document says there is no fit.
    if (lines[9] == "true") AnswerWarning();
    fw::TestHooks::ClickTab(*r.TabPanel1, MainWndo::GraphPageIndex);
    EXPECT_FALSE(r.SSFitInfo->Visible()) << name;
    r.Files.DoSave();
    const auto saved = ReadLines(Path(name));
    EXPECT_EQ(saved[25], "false") << name;
    for (const std::string& line : saved) EXPECT_EQ(line.find("NAN"), std::string::npos) << name;
    r.CloseNow();
  }
  EXPECT_EQ(fw::TestHooks::UnansweredDialogs(), 0);
}

TEST_F(DocumentReadTest, AFileThatCannotBeReadIsNeverSavedOverUnasked) {
  WriteFile(Path("notes.txt"), "hello\nworld\n");
  WriteFile(Path("half.gdx"), "Gradix 2.0\n");
  for (const char* name : {"notes.txt", "half.gdx", "gone.gdx"}) {
    messages.clear();
    AnswerWarning();
    MainWndo& r = OpenDocument(Path(name));
    const char* expected = std::string(name) == "gone.gdx" ? "Open Problem: Can't open file."
                                                           : "Open Problem: Not a Gradix file or data is corrupt.";
    EXPECT_EQ(messages, std::vector<std::string>{expected});
    EXPECT_FALSE(r.IsClosed());
    EXPECT_EQ(r.Title(), name);
    EXPECT_EQ(r.myFile, nullptr) << name;
    ExpectEmpty(r);

    // The student types on and saves: asked where, with the title proposed.
    r.EFNames->SetText("Ann");
    fw::FileTestHooks::ClearChooserAnswer();
    fw::FileTestHooks::AnswerNextChooser(std::nullopt);
    fw::TestHooks::ChooseMenu(r, "FileSave");
    AnswerSaveQuery([](class SaveQuery& q) { return q.PBSave; });
    fw::FileTestHooks::AnswerNextChooser(std::nullopt);
    fw::TestHooks::ChooseMenu(r, "FileClose");
    EXPECT_FALSE(r.IsClosed());
    EXPECT_EQ(fw::FileTestHooks::ChooserCount(), 2) << name;
    EXPECT_TRUE(fw::FileTestHooks::LastChooserRequest().save);
    EXPECT_EQ(fw::FileTestHooks::LastChooserRequest().suggestedName, name);
    EXPECT_TRUE(r.Dirty);
  }
  EXPECT_EQ(ReadFile(Path("notes.txt")), "hello\nworld\n");
  EXPECT_EQ(ReadFile(Path("half.gdx")), "Gradix 2.0\n");
  EXPECT_FALSE(std::filesystem::exists(Path("gone.gdx")));
  EXPECT_FALSE(std::filesystem::exists(Path("notes.txt.gdx")));
}

TEST_F(DocumentReadTest, APipeOrADeviceIsRefusedAtOnce) {
  ASSERT_EQ(mkfifo(Path("pipe.gdx").c_str(), 0600), 0);
  // Opening a pipe that nothing writes to would wait for ever: the alarm ends it.
  EXPECT_EQ(RunInChild([this] {
              for (const std::string& path : {Path("pipe.gdx"), std::string("/dev/null")}) {
                messages.clear();
                AnswerWarning();
                MainWndo& r = OpenDocument(path);
                EXPECT_EQ(messages, std::vector<std::string>{"Open Problem: Can't open file."}) << path;
                EXPECT_EQ(r.myFile, nullptr) << path;
                ExpectEmpty(r);
              }
            },
                       /*seconds=*/10),
            0);
}

TEST_F(DocumentReadTest, AReadErrorIsReportedAsAFileThatCannotBeOpened) {
  // A graph title long enough that the document takes two reads; the error hits the
  // first, with the header, or the second, with the table.
  auto lines = ReadLines(SaveSample());
  ASSERT_EQ(lines[13], "Title");
  lines[13] = std::string(100000, 'a');
  WriteLines(Path("long.gdx"), lines);
  for (int nth : {1, 2}) {
    EXPECT_EQ(RunInChild([this, nth] {
                ASSERT_TRUE(FailRead(Path("long.gdx"), nth));
                AnswerWarning();
                MainWndo& r = OpenDocument(Path("long.gdx"));
                EXPECT_EQ(messages, std::vector<std::string>{"Open Problem: Can't open file."});
                EXPECT_EQ(r.myFile, nullptr);
                ExpectEmpty(r);
              }),
              0)
        << nth;
  }

  MainWndo& r = OpenDocument(Path("long.gdx"));
  EXPECT_EQ(fw::TestHooks::DialogsShown(), 0);
  EXPECT_EQ(r.GrfTitle, std::string(100000, 'a'));
  EXPECT_EQ(r.Data[0][98][4], 3.5);
}

TEST_F(DocumentReadTest, TextBeforeTheHeaderAndLinesAfterTheLastAreAccepted) {
  auto lines = ReadLines(SaveSample());
  lines[0] = "xyz Gradix 2.0 File";
  lines.push_back("junk");
  lines.push_back("more junk");
  WriteLines(Path("extra.gdx"), lines);
  MainWndo& r = OpenDocument(Path("extra.gdx"));
  EXPECT_EQ(fw::TestHooks::DialogsShown(), 0);
  EXPECT_EQ(r.EFNames->Text(), "Ann and Bo");
  EXPECT_EQ(r.Data[0][98][4], 3.5);
}

TEST_F(DocumentReadTest, ShortOrDamagedFilesAreRefusedWithoutChangingTheWindow) {
  const auto good = ReadLines(SaveSample());
  std::vector<std::pair<std::string, std::vector<std::string>>> bad;
  bad.push_back({"short", {good.begin(), good.begin() + 300}});
  bad.push_back({"oneshort", {good.begin(), good.end() - 1}});
  // Lines 7 and 8 hold the two number formats, codes 0..12.
  for (int line : {7, 8}) {
    for (const char* code : {"13", "-1"}) {
      auto format = good;
      format[static_cast<std::size_t>(line - 1)] = code;
      bad.push_back({"format" + std::to_string(line) + code, format});
    }
  }
  auto place = good;
  place[26] = "left";
  bad.push_back({"place", place});
  for (const auto& [name, lines] : bad) {
    WriteLines(Path(name), lines);
    messages.clear();
    AnswerWarning();
    MainWndo& r = OpenDocument(Path(name));
    EXPECT_EQ(messages, std::vector<std::string>{"Open Problem: Not a Gradix file or data is corrupt."})
        << name;
    ExpectEmpty(r);
    EXPECT_EQ(r.EFHMin->Text(), "") << name;
  }
}

TEST_F(DocumentReadTest, AHugeFileIsRefusedAtOnce) {
  // A disk image of one endless line, and a document whose last value runs on into one.
  GrowHuge(Path("disk.gdx"));
  std::string text = ReadFile(SaveSample());
  ASSERT_EQ(text.substr(text.size() - 22), "+3.500000000000000e+0\n");
  text.pop_back();
  WriteFile(Path("endless.gdx"), text);
  GrowHuge(Path("endless.gdx"));
  for (const char* name : {"disk.gdx", "endless.gdx"}) {
    messages.clear();
    AnswerWarning();
    const ReadCost cost;
    MainWndo& r = OpenDocument(Path(name));
    ExpectCheap(cost);
    EXPECT_EQ(messages, std::vector<std::string>{"Open Problem: Not a Gradix file or data is corrupt."}) << name;
    EXPECT_EQ(r.myFile, nullptr) << name;
    ExpectEmpty(r);
  }
}

TEST_F(DocumentReadTest, TheLongestTextsTheProgramWritesComeBackThoughAHugeTailFollows) {
  // Fields at their longest, of three-byte characters; graph strings made of two such texts,
  // and a title longer still.
  std::string field;
  for (int i = 0; i < 32767; ++i) field += "\xE2\x82\xAC";
  const std::string twice = "!Graph of " + field + " vs. " + field + "!";
  const std::vector<fw::EditField* MainWndo::*> fields = {
      &MainWndo::EFNames,  &MainWndo::EFHName,    &MainWndo::EFHUnits,   &MainWndo::EFVName,
      &MainWndo::EFVUnits, &MainWndo::EFHFormula, &MainWndo::EFVFormula, &MainWndo::EFHMin,
      &MainWndo::EFHMax,   &MainWndo::EFVMin,     &MainWndo::EFVMax};
  const std::vector<std::string MainWndo::*> strings = {
      &MainWndo::GrfTeam,   &MainWndo::GrfXLabel,  &MainWndo::GrfXUnits,     &MainWndo::GrfYLabel,
      &MainWndo::GrfYUnits, &MainWndo::SlopeUnits, &MainWndo::InterceptUnits};
  for (auto f : fields) (w->*f)->SetText(field);
  for (auto s : strings) w->*s = twice;
  w->GrfTitle = std::string(300000, 'a');
  w->myFile = std::make_shared<fw::FolderItem>(Path("long.gdx"));
  w->SetTitle("long.gdx");
  w->Files.DoSave();
  ASSERT_GT(std::filesystem::file_size(Path("long.gdx")), 2 * ReadCost::kMiB);
  GrowHuge(Path("long.gdx"));

  const ReadCost cost;
  MainWndo& r = OpenDocument(Path("long.gdx"));
  EXPECT_LT(cost.BytesRead(), 64 * ReadCost::kMiB);
  EXPECT_EQ(fw::TestHooks::DialogsShown(), 0);
  ASSERT_NE(r.myFile, nullptr);
  for (auto f : fields) EXPECT_TRUE((r.*f)->Text() == field);
  for (auto s : strings) EXPECT_TRUE(r.*s == twice);
  EXPECT_TRUE(r.GrfTitle == std::string(300000, 'a'));
  EXPECT_FALSE(r.Dirty);
}

TEST_F(DocumentReadTest, HandEditedNumbersAndFlagsAreRead) {
  auto lines = ReadLines(SaveSample());
  lines[33] = " 2.5 ";
  lines[34] = "-3";
  lines[35] = "1E+2";
  // A value line is read for the number it begins with, whatever follows.
  lines[36] = "1,5 cm";
  lines[38] = "abc";
  lines[24] = "trueish";
  lines[28] = "TRUE";
  lines[31] = "yes";
  // The first and the last number format.
  lines[6] = "0";
  lines[7] = "12";
  WriteLines(Path("edited.gdx"), lines);
  MainWndo& r = OpenDocument(Path("edited.gdx"));
  EXPECT_EQ(r.Data[0][0][1], 2.5);
  EXPECT_EQ(r.Data[0][0][2], -3.0);
  EXPECT_EQ(r.Data[0][0][3], 100.0);
  EXPECT_EQ(r.Data[0][0][4], 1.0);
  EXPECT_TRUE(r.CellFull[0][4]);
  EXPECT_EQ(r.Data[0][1][1], 0.0);
  EXPECT_TRUE(r.CellFull[1][1]);
  EXPECT_EQ(r.PUHFormat->ListIndex(), 0);
  EXPECT_EQ(r.PUVFormat->ListIndex(), 12);
  EXPECT_EQ(r.LBData->Cell(0, 4), GlobalFuncts::Reformat(1.0, 12));
  EXPECT_EQ(fw::TestHooks::DialogsShown(), 0);
  EXPECT_TRUE(r.GotGraph);
  EXPECT_TRUE(r.SSTeam->DeFlowered);
  EXPECT_FALSE(r.SSFitInfo->DeFlowered);
}

TEST_F(DocumentReadTest, ValuesThatAreNotFiniteSurviveSaving) {
  w->Data[0][0][1] = INFINITY;
  w->CellFull[0][1] = true;
  w->Data[0][0][2] = -INFINITY;
  w->CellFull[0][2] = true;
  w->myFile = std::make_shared<fw::FolderItem>(Path("inf.gdx"));
  w->SetTitle("inf.gdx");
  w->Files.DoSave();
  MainWndo& r = OpenDocument(Path("inf.gdx"));
  EXPECT_EQ(fw::TestHooks::DialogsShown(), 0);
  EXPECT_EQ(r.Data[0][0][1], INFINITY);
  EXPECT_EQ(r.Data[0][0][2], -INFINITY);
}

TEST(DocumentFlagsTest, OnlyTextBeginningWithTrueReadsAsTrue) {
  EXPECT_EQ(DocumentFile::B2S(true), "true");
  EXPECT_EQ(DocumentFile::B2S(false), "false");
  for (const char* s : {"true", "trueish", "true "}) EXPECT_TRUE(DocumentFile::S2B(s)) << s;
  for (const char* s : {"", "false", "tru", " true", "yes", "1"}) EXPECT_FALSE(DocumentFile::S2B(s)) << s;
}

}  // namespace
