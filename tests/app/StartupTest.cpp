#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include <unistd.h>

#include "app/AboutWndo.h"
#include "app/App.h"
#include "app/FileTypes.h"
#include "app/MenuBar1.h"
#include "app/Startup.h"
#include "files/SaveQuery.h"
#include "framework/Clipboard.h"
#include "framework/FileTestHooks.h"
#include "framework/FileType.h"
#include "framework/FolderItem.h"
#include "framework/Listbox.h"
#include "framework/HTMLViewer.h"
#include "framework/TabPanel.h"
#include "graph/GraphError.h"
#include "tests/window/ShellFixture.h"

namespace {

class StartupTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    Startup::_InitFileTypes();
    Startup::_NewAppInstance();
    Startup::_ApplicationAddMenuHandlers();
    dir = std::filesystem::temp_directory_path() / ("gradix-startup-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    document = (dir / "spring.gdx").string();
    // An empty document, as a new window saves it.
    MainWndo& blank = fw::NewWindow<MainWndo>();
    blank.myFile = std::make_shared<fw::FolderItem>(document);
    blank.SetTitle("spring.gdx");
    blank.Files.DoSave();
    blank.CloseNow();
  }
  void TearDown() override {
    fw::FileTestHooks::ClearChooserAnswer();
    ShellTest::TearDown();
    Startup::_ReleaseAppInstance();
    FileTypes::_Release();
    std::filesystem::remove_all(dir);
  }

  static std::vector<MainWndo*> Documents() {
    std::vector<MainWndo*> found;
    for (fw::Window* w : fw::Windows()) {
      if (auto* m = dynamic_cast<MainWndo*>(w); m && !m->IsClosed()) found.push_back(m);
    }
    return found;
  }

  std::filesystem::path dir;
  std::string document;
};

TEST_F(StartupTest, RegistersTheTwoFileTypes) {
  const fw::FileType* data = fw::FileType::Find("GradixData");
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(data, FileTypes::pGradixData.get());
  EXPECT_EQ(data->Extensions(), ".gdx");
  EXPECT_EQ(data->MacType(), "qzGD");
  EXPECT_EQ(data->MacCreator(), "qzGX");
  const fw::FileType* text = fw::FileType::Find("text/plain");
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->ExtensionList().size(), 17u);
  EXPECT_EQ(text->ExtensionList().front(), "asc");
  EXPECT_EQ(text->ExtensionList().back(), "txt");
  EXPECT_EQ(text->MacType(), "TEXT");
  EXPECT_EQ(text->MacCreator(), "????");
}

TEST_F(StartupTest, TheApplicationObjectIsRegisteredWithTheMenuBar) {
  EXPECT_EQ(&App(), fw::Application::Instance());
  EXPECT_EQ(App().CurrentMenuBar(), &MenuBar1());
  for (const char* name : {"FileNew", "FileOpen", "AppleAboutGradix"}) {
    EXPECT_NE(App().MenuHandler(name), nullptr) << name;
  }
  EXPECT_EQ(App().MenuHandler("FileClose"), nullptr);
}

TEST_F(StartupTest, NewOpensAFurtherUntitledWindow) {
  App().NewDocument();
  ASSERT_EQ(Documents().size(), 1u);
  fw::TestHooks::ChooseMenu(*Documents()[0], "FileNew");
  ASSERT_EQ(Documents().size(), 2u);
  EXPECT_EQ(Documents()[1]->Title(), "Untitled");
  EXPECT_NE(Documents()[0], Documents()[1]);
}

TEST_F(StartupTest, OpenAsksForADocumentAndBindsTheWindowToIt) {
  App().NewDocument();
  fw::FileTestHooks::AnswerNextChooser(document);
  fw::TestHooks::ChooseMenu(*Documents()[0], "FileOpen");
  EXPECT_FALSE(fw::FileTestHooks::LastChooserRequest().save);
  EXPECT_EQ(fw::FileTestHooks::LastChooserRequest().typeName, "GradixData");
  ASSERT_EQ(Documents().size(), 2u);
  MainWndo& opened = *Documents()[1];
  EXPECT_EQ(opened.Title(), "spring.gdx");
  ASSERT_NE(opened.myFile, nullptr);
  EXPECT_EQ(opened.myFile->Path(), document);
  EXPECT_NE(opened.theEvaluator, nullptr);
}

TEST_F(StartupTest, CancelledOpenMakesNoWindow) {
  fw::FileTestHooks::AnswerNextChooser(std::nullopt);
  EXPECT_FALSE(App()._FileOpen_Action());
  EXPECT_TRUE(Documents().empty());
}

TEST_F(StartupTest, OpenDocumentEventOpensTheSameFileTwiceInTwoWindows) {
  App().OpenDocument(document);
  App().OpenDocument(document);
  ASSERT_EQ(Documents().size(), 2u);
  for (MainWndo* w : Documents()) {
    EXPECT_EQ(w->Title(), "spring.gdx");
    EXPECT_EQ(w->myFile->Path(), document);
  }
  EXPECT_NE(Documents()[0]->myFile, Documents()[1]->myFile);
}

TEST_F(StartupTest, ShortcutsOpenCloseAndRespectEnabling) {
  App().NewDocument();
  MainWndo& first = *Documents()[0];
  fw::TestHooks::PressKey(*first.EFNames, "n", "ctrl");
  ASSERT_EQ(Documents().size(), 2u);
  MainWndo& second = *Documents()[1];
  fw::TestHooks::PressKey(second, "s", "ctrl");
  EXPECT_EQ(fw::FileTestHooks::ChooserCount(), 0);
  second.Dirty = true;
  fw::FileTestHooks::AnswerNextChooser(std::nullopt);
  fw::TestHooks::PressKey(second, "s", "ctrl");
  EXPECT_EQ(fw::FileTestHooks::ChooserCount(), 1);
  fw::TestHooks::AnswerNextDialog([](fw::Window& question) {
    static_cast<class SaveQuery&>(question).PBNo->Push();
  });
  fw::TestHooks::PressKey(second, "w", "ctrl");
  EXPECT_TRUE(second.IsClosed());
  ASSERT_EQ(Documents().size(), 1u);
  EXPECT_EQ(Documents()[0], &first);
}

TEST_F(StartupTest, CloseBoxAndQuitCloseTheWindows) {
  App().NewDocument();
  App().NewDocument();
  fw::TestHooks::ClickCloseBox(*Documents()[0]);
  EXPECT_EQ(Documents().size(), 1u);
  EXPECT_TRUE(App().Quit());
  EXPECT_TRUE(Documents().empty());
}

TEST_F(StartupTest, ApplicationAboutHandlerShowsTheAboutWindow) {
  EXPECT_FALSE(App()._AppleAboutGradix_Action());
  EXPECT_TRUE(AboutWndo().Visible());
}


TEST_F(StartupTest, EditShortcutsFollowTheEnablingRules) {
  App().NewDocument();
  MainWndo& w = *Documents()[0];
  FillNames(w, "Ann", "t", "s", "d", "m");
  w.PBClearNames->Push();
  fw::TestHooks::PressKey(*w.EFNames, "z", "ctrl");
  EXPECT_EQ(w.EFNames->Text(), "Ann");
  EXPECT_EQ(w.EFVUnits->Text(), "m");
  ASSERT_EQ(w.LastAction, nullptr);

  fw::Clipboard::SetText("Bob");
  EXPECT_FALSE(fw::TestHooks::MenuItemEnabled(w, "EditPaste"));

  fw::TestHooks::ClickTab(*w.TabPanel1, 1);
  fw::EditField* cell = w.LBData->ActiveCell();
  ASSERT_NE(cell, nullptr);
  fw::Clipboard::SetText("2.5");
  fw::TestHooks::PressKey(*cell, "v", "ctrl");
  EXPECT_EQ(cell->Text(), "2.5");
  cell->SetSelStart(0);
  cell->SetSelLength(1);
  fw::TestHooks::PressKey(*cell, "x", "ctrl");
  EXPECT_EQ(cell->Text(), ".5");
  EXPECT_EQ(fw::Clipboard::Text(), "2");
  fw::TestHooks::PressKey(*cell, "Tab");
  EXPECT_TRUE(w.CellFull[0][1]);
  EXPECT_EQ(w.Data[0][0][1], 0.5);
  EXPECT_EQ(w.LBData->Cell(0, 1), "0.50");
}

TEST_F(StartupTest, OpenAndQuitShortcuts) {
  App().NewDocument();
  MainWndo& w = *Documents()[0];
  fw::FileTestHooks::AnswerNextChooser(std::nullopt);
  fw::TestHooks::PressKey(*w.EFNames, "o", "ctrl");
  EXPECT_EQ(fw::FileTestHooks::ChooserCount(), 1);
  EXPECT_EQ(fw::FileTestHooks::LastChooserRequest().typeName, "GradixData");
  App().NewDocument();
  ASSERT_EQ(Documents().size(), 2u);
  fw::TestHooks::PressKey(*Documents()[1], "q", "ctrl");
  EXPECT_TRUE(Documents().empty());
}


TEST_F(StartupTest, AnErrorNoHandlerCaughtIsShownInTheWindowsMessageDialog) {
  Startup::_InstallErrorReporter();
  App().NewDocument();
  MainWndo& w = *Documents()[0];
  w.PBClearNames->Action = [] { throw GraphError("zDefineGRect: Graph too small."); };
  AnswerWarning();
  fw::TestHooks::Click(*w.PBClearNames);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text, "zDefineGRect: Graph too small.");
  EXPECT_EQ(messages[0].button, "OK");
  EXPECT_FALSE(w.IsClosed());

  // Raised while the message dialog itself is showing: that message is not lost.
  fw::TestHooks::AnswerNextDialog([&](fw::Window& dialog) {
    AnswerWarning();
    dialog.Hide();
    throw GraphError("ReDrawAll: Graph has not been defined");
  });
  w.CallWarnDialog("first");
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[1].text, "ReDrawAll: Graph has not been defined");
}

TEST_F(StartupTest, AnErrorOutsideADocumentWindowShowsNoDialog) {
  Startup::_InstallErrorReporter();
  class AboutWndo& about = AboutWndo();
  about.HTMLViewer1->GotFocus = [] { throw GraphError("Graph.Open: GX Initialization Failure"); };
  about.HTMLViewer1->SetFocus();
  EXPECT_EQ(fw::TestHooks::DialogsShown(), 0);
  EXPECT_FALSE(about.IsClosed());
}

}  // namespace
