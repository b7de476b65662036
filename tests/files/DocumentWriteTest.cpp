#include <cstdlib>
#include <optional>

#include "FilesFixture.h"
#include "graph/SSRect.h"

namespace {

using DocumentWriteTest = FilesTest;

// Sets the home folder for the rest of the scope.
class HomeFolder {
 public:
  explicit HomeFolder(const std::string& path) {
    if (const char* home = std::getenv("HOME")) old_ = home;
    ::setenv("HOME", path.c_str(), 1);
  }
  ~HomeFolder() {
    if (old_) ::setenv("HOME", old_->c_str(), 1);
    else ::unsetenv("HOME");
  }
  HomeFolder(const HomeFolder&) = delete;
  HomeFolder& operator=(const HomeFolder&) = delete;

 private:
  std::optional<std::string> old_;
};

TEST_F(DocumentWriteTest, SaveWritesTheDocumentLineForLine) {
  ToDataPage();
  w->PUHFormat->SetListIndex(4);
  w->PUVFormat->SetListIndex(9);
  Enter(0, 1, "1.5");
  Enter(0, 2, "0");
  Enter(0, 3, "-0.00012345");
  Enter(1, 1, "123456789012345678");
  w->EFHFormula->SetText("ln(t)");
  ASSERT_EQ(w->EFVFormula->Text(), "ln(d)");
  w->GrfTitle = "!Run 1!";
  w->GrfXUnits = "s";
  w->EFHMin->SetText("0");
  w->EFHMax->SetText("10");
  w->SSTeam->SetLeft(150);
  w->SSTeam->DeFlowered = true;

  fw::FileTestHooks::AnswerNextChooser(Path("run1"));
  fw::TestHooks::ChooseMenu(*w, "FileSave");

  // The file is named after the title, which keeps the chosen name.
  EXPECT_EQ(w->Title(), "run1");
  EXPECT_FALSE(std::filesystem::exists(Path("run1")));
  ASSERT_TRUE(std::filesystem::exists(Path("run1.gdx")));
  EXPECT_EQ(w->myFile->Path(), Path("run1.gdx"));
  EXPECT_EQ(w->myFile->MacCreator(), "qzGX");
  EXPECT_EQ(w->myFile->MacType(), "qzGD");
  EXPECT_FALSE(w->Dirty);
  EXPECT_FALSE(fw::TestHooks::MenuItemEnabled(*w, "FileSave"));

  std::vector<std::string> expected = {
      "Gradix 2.0 File", "Ann and Bo", "t", "s", "d", "m", "4", "9", "false", "false", "ln(t)", "ln(d)",
      "", "!Run 1!", "", "s", "", "", "", "", "0", "10", "", "", "false", "false",
      "150", "109", "true", "206", "541", "false",
      "", "+1.500000000000000e+0", "+0.000000000000000e+0", "-1.234500000000000e-4", "",
      "", "+1.234567890123457e+17", "", "", ""};
  for (int row = 2; row < 99; ++row) expected.insert(expected.end(), 5, "");
  ASSERT_EQ(expected.size(), 527u);
  const std::string text = ReadFile(Path("run1.gdx"));
  EXPECT_EQ(text.back(), '\n');
  EXPECT_EQ(ReadLines(Path("run1.gdx")), expected);
}

TEST_F(DocumentWriteTest, FileNameFollowsTheTitle) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"lab", "lab.gdx"}, {"lab2.gdx", "lab2.gdx"}, {"lab3.txt", "lab3.txt.gdx"}};
  for (const auto& [title, name] : cases) {
    w->myFile = std::make_shared<fw::FolderItem>(Path(title));
    w->SetTitle(title);
    w->Files.DoSave();
    EXPECT_TRUE(std::filesystem::exists(Path(name))) << title;
    EXPECT_EQ(w->myFile->Name(), name);
    EXPECT_EQ(w->Title(), title);
  }
  EXPECT_FALSE(std::filesystem::exists(Path("lab")));
  EXPECT_FALSE(std::filesystem::exists(Path("lab3.txt")));
}

TEST_F(DocumentWriteTest, AnotherFileOfTheTitlesNameIsNeverReplacedUnasked) {
  // The chooser confirmed "old" only; "old.gdx" may be another document.
  WriteFile(Path("old.gdx"), "another document\n");
  WriteFile(Path("old"), "kept\n");
  w->myFile = std::make_shared<fw::FolderItem>(Path("old"));
  w->SetTitle("old");
  w->Dirty = true;
  AnswerWarning();
  w->Files.DoSave();
  EXPECT_EQ(messages, std::vector<std::string>{"Save Problem: Could not create file."});
  EXPECT_TRUE(w->Dirty);
  EXPECT_EQ(w->myFile->Path(), Path("old"));
  EXPECT_EQ(w->Title(), "old");
  EXPECT_EQ(ReadFile(Path("old.gdx")), "another document\n");
  EXPECT_EQ(ReadFile(Path("old")), "kept\n");
}

TEST_F(DocumentWriteTest, AFileThatCannotBeCreatedLeavesTheDocumentChanged) {
  ToDataPage();
  Enter(0, 1, "2");
  w->myFile = std::make_shared<fw::FolderItem>(Path("missing/run.gdx"));
  w->SetTitle("run.gdx");
  AnswerWarning();
  fw::TestHooks::ChooseMenu(*w, "FileSave");
  EXPECT_EQ(messages, std::vector<std::string>{"Save Problem: Could not create file."});
  EXPECT_TRUE(w->Dirty);
  EXPECT_TRUE(fw::TestHooks::MenuItemEnabled(*w, "FileSave"));
  EXPECT_FALSE(std::filesystem::exists(Path("missing")));
  EXPECT_EQ(w->myFile->Path(), Path("missing/run.gdx"));
}

TEST_F(DocumentWriteTest, ALineBreakInATextCannotShiftTheLinesAfterIt) {
  w->GrfTitle = "Run\n1\r2";
  w->myFile = std::make_shared<fw::FolderItem>(Path("run.gdx"));
  w->SetTitle("run.gdx");
  w->Files.DoSave();
  const auto lines = ReadLines(Path("run.gdx"));
  ASSERT_EQ(lines.size(), 527u);
  EXPECT_EQ(lines[13], "Run 1 2");
  EXPECT_EQ(lines[14], "");
}

TEST_F(DocumentWriteTest, ChoosersStartBesideTheDocumentElseInTheLastFolderElseAtHome) {
  fw::FileTestHooks::ClearChooserAnswer();
  const std::string home = Path("home");
  const HomeFolder homeFolder(home);
  std::filesystem::create_directories(dir / "a");
  std::filesystem::create_directories(dir / "b");
  const auto start = [] { return fw::FileTestHooks::LastChooserRequest().startFolder; };

  // Nothing chosen yet in this run: the home folder.
  w->Dirty = true;
  fw::FileTestHooks::AnswerNextChooser(Path("a/first.gdx"));
  ASSERT_TRUE(fw::TestHooks::ChooseMenu(*w, "FileSave"));
  EXPECT_EQ(start(), home);
  ASSERT_TRUE(std::filesystem::exists(Path("a/first.gdx")));

  // A window without a file: the folder last chosen.
  MainWndo& second = fw::NewWindow<MainWndo>();
  fw::FileTestHooks::AnswerNextChooser(Path("b/second.gdx"));
  ASSERT_TRUE(fw::TestHooks::ChooseMenu(second, "FileSaveAs"));
  EXPECT_EQ(start(), Path("a"));

  // A window with a file: the document's own folder, though "b" was chosen last.
  ToDataPage();
  w->Show();
  for (const char* command : {"FileSaveAs", "FileImport", "FileOpen"}) {
    fw::FileTestHooks::AnswerNextChooser(std::nullopt);
    ASSERT_TRUE(fw::TestHooks::MenuItemEnabled(*w, command)) << command;
    fw::TestHooks::ChooseMenu(*w, command);
    EXPECT_EQ(start(), Path("a")) << command;
  }
  second.Show();
  fw::FileTestHooks::AnswerNextChooser(std::nullopt);
  fw::TestHooks::ChooseMenu(second, "FileOpen");
  EXPECT_EQ(start(), Path("b"));
  MainWndo& third = fw::NewWindow<MainWndo>();
  fw::FileTestHooks::AnswerNextChooser(std::nullopt);
  fw::TestHooks::ChooseMenu(third, "FileOpen");
  EXPECT_EQ(start(), Path("b"));
  EXPECT_EQ(fw::FileTestHooks::ChooserCount(), 7);
}

TEST_F(DocumentWriteTest, AValueTypedIntoTheOpenCellIsSaved) {
  ToDataPage();
  w->LBData->EditCell(2, 3);
  fw::TestHooks::TypeText(*w->LBData, "4.25");
  w->myFile = std::make_shared<fw::FolderItem>(Path("run.gdx"));
  w->SetTitle("run.gdx");
  w->Files.DoSave();
  EXPECT_EQ(ReadLines(Path("run.gdx"))[35 + 5 * 2], "+4.250000000000000e+0");
  EXPECT_FALSE(w->Dirty);

  w->LBData->EditCell(3, 3);
  EXPECT_EQ(w->Data[0][2][3], 4.25);
  EXPECT_TRUE(w->CellFull[2][3]);
  EXPECT_FALSE(w->Dirty);
}

}  // namespace
