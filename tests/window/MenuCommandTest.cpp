#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include <unistd.h>

#include "app/MenuBar1.h"
#include "framework/Clipboard.h"
#include "framework/FileTestHooks.h"
#include "framework/FolderItem.h"
#include "framework/Listbox.h"
#include "framework/MenuItem.h"
#include "framework/QuitMenuItem.h"
#include "framework/RadioButton.h"
#include "framework/Slider.h"
#include "framework/TabPanel.h"
#include "tests/window/ShellFixture.h"
#include "window/table/UndoableAction.h"

namespace {

using MenuBarTest = ShellTest;

TEST_F(MenuBarTest, HoldsEveryItemWithItsTextShortcutAndEnabling) {
  struct Item {
    const char* name;
    const char* text;
    const char* shortcut;
    bool autoEnable;
  };
  class MenuBar1& bar = MenuBar1();
  EXPECT_EQ(&bar, &MenuBar1());
  ASSERT_EQ(bar.Count(), 3);
  EXPECT_EQ(bar.Item(0).Name(), "FileMenu");
  EXPECT_EQ(bar.Item(0).Text(), "&File");
  EXPECT_EQ(bar.Item(1).Text(), "&Edit");
  EXPECT_EQ(bar.Item(2).Text(), "Help");
  const Item file[] = {{"FileNew", "New", "Cmd+N", true},
                       {"FileOpen", "Open\xE2\x80\xA6", "Cmd+O", true},
                       {"FileClose", "Close", "Cmd+W", true},
                       {"FileImport", "Import\xE2\x80\xA6", "", false},
                       {"FileSave", "Save\xE2\x80\xA6", "Cmd+S", false},
                       {"FileSaveAs", "Save As\xE2\x80\xA6", "", true},
                       {"FileQuit", "Quit", "Cmd+Q", true}};
  const Item edit[] = {{"EditUndo", "Undo", "Cmd+Z", false}, {"UntitledMenu0", "-", "", true},
                       {"EditCut", "Cut", "Cmd+X", false},   {"EditCopy", "Copy", "Cmd+C", false},
                       {"EditPaste", "Paste", "Cmd+V", false}, {"EditClear", "Clear", "", true}};
  auto check = [](const fw::MenuItem& menu, const Item* items, int count) {
    ASSERT_EQ(menu.Count(), count) << menu.Name();
    for (int i = 0; i < count; ++i) {
      const fw::MenuItem& item = menu.Item(i);
      EXPECT_EQ(item.Name(), items[i].name);
      EXPECT_EQ(item.Text(), items[i].text) << items[i].name;
      EXPECT_EQ(item.KeyboardShortcut(), items[i].shortcut) << items[i].name;
      EXPECT_EQ(item.AutoEnable(), items[i].autoEnable) << items[i].name;
    }
  };
  check(bar.Item(0), file, 7);
  check(bar.Item(1), edit, 6);
  ASSERT_EQ(bar.Item(2).Count(), 1);
  EXPECT_EQ(bar.Item(2).Item(0).Name(), "HelpAboutGradix");
  EXPECT_EQ(bar.Item(2).Item(0).Text(), "About Gradix\xE2\x80\xA6");
  EXPECT_TRUE(bar.Child("FileQuit")->IsQuitItem());
  EXPECT_TRUE(bar.Child("UntitledMenu0")->IsSeparator());
  EXPECT_EQ(bar.Child("AppleAboutGradix"), nullptr);
  EXPECT_EQ(bar.ItemForShortcut("Z", false, false), bar.Child("EditUndo"));
  EXPECT_EQ(bar.ItemForShortcut("W", false, false), bar.Child("FileClose"));
}

TEST_F(MenuBarTest, WindowAccessorsReturnTheItemsOfItsMenuBar) {
  MainWndo& w = OpenWindow();
  EXPECT_EQ(w.CurrentMenuBar(), &MenuBar1());
  EXPECT_EQ(w.FileSave(), MenuBar1().Child("FileSave"));
  EXPECT_EQ(w.UntitledMenu0(), MenuBar1().Child("UntitledMenu0"));
  ASSERT_NE(w.FileQuit(), nullptr);
  EXPECT_EQ(w.HelpAboutGradix()->Text(), "About Gradix\xE2\x80\xA6");
}

class MenuEnablingTest : public ShellTest {
 protected:
  static bool On(MainWndo& w, const char* item) { return fw::TestHooks::MenuItemEnabled(w, item); }
  static void ToData(MainWndo& w) {
    FillNames(w, "Ann", "t", "s", "d", "m");
    fw::TestHooks::ClickTab(*w.TabPanel1, 1);
  }
};

TEST_F(MenuEnablingTest, NewWindowEnablesOnlyTheAutomaticItems) {
  fw::Clipboard::SetText("1.5");
  MainWndo& w = OpenWindow();
  for (const char* item : {"FileSave", "EditUndo", "EditCut", "EditCopy", "EditPaste", "FileImport"}) {
    EXPECT_FALSE(On(w, item)) << item;
  }
  for (const char* item : {"FileNew", "FileOpen", "FileClose", "FileSaveAs", "FileQuit", "EditClear",
                           "HelpAboutGradix"}) {
    EXPECT_TRUE(On(w, item)) << item;
  }
  EXPECT_EQ(w.EditUndo()->Text(), "Undo");
}

TEST_F(MenuEnablingTest, SaveFollowsDirtyAndUndoFollowsTheRecord) {
  MainWndo& w = OpenWindow();
  w.Dirty = true;
  EXPECT_TRUE(On(w, "FileSave"));
  w.Dirty = false;
  EXPECT_FALSE(On(w, "FileSave"));
  w.LastAction = std::make_shared<UndoableAction>();
  EXPECT_TRUE(On(w, "EditUndo"));
  EXPECT_EQ(w.EditUndo()->Text(), "Undo");
  EXPECT_TRUE(fw::TestHooks::ChooseMenu(w, "EditUndo"));
  w.LastAction = nullptr;
  EXPECT_FALSE(On(w, "EditUndo"));
}

TEST_F(MenuEnablingTest, ImportNeedsTheDataPageWithBothVariablesEntered) {
  MainWndo& w = OpenWindow();
  EXPECT_FALSE(On(w, "FileImport"));
  ToData(w);
  EXPECT_TRUE(On(w, "FileImport"));
  w.RBVCalculated->SetValue(true);
  EXPECT_FALSE(w.RBVEntered->Value());
  EXPECT_FALSE(On(w, "FileImport"));
  w.RBVEntered->SetValue(true);
  GiveTwoPoints(w);
  fw::TestHooks::ClickTab(*w.TabPanel1, 2);
  ASSERT_EQ(w.TabPanel1->Value(), 2);
  EXPECT_FALSE(On(w, "FileImport"));
}

TEST_F(MenuEnablingTest, CutCopyAndPasteNeedAnOpenCellAndCopyASelection) {
  MainWndo& w = OpenWindow();
  ToData(w);
  fw::EditField* editor = w.LBData->ActiveCell();
  ASSERT_NE(editor, nullptr);
  ASSERT_TRUE(w.PasteOK);
  fw::Clipboard::SetText("2.5");
  EXPECT_TRUE(On(w, "EditPaste"));
  fw::Clipboard::SetText("");
  EXPECT_FALSE(On(w, "EditPaste"));

  fw::TestHooks::TypeText(*editor, "12");
  editor->SetSelStart(2);
  EXPECT_FALSE(On(w, "EditCopy"));
  EXPECT_FALSE(On(w, "EditCut"));
  editor->SetSelStart(0);
  editor->SetSelLength(1);
  EXPECT_TRUE(On(w, "EditCopy"));
  EXPECT_TRUE(On(w, "EditCut"));
}

TEST_F(MenuEnablingTest, PasteFlagWithoutAnOpenEditorCountsAsNoSelection) {
  MainWndo& w = OpenWindow();
  fw::Clipboard::SetText("2.5");
  w.PasteOK = true;
  ASSERT_EQ(w.LBData->ActiveCell(), nullptr);
  EXPECT_FALSE(On(w, "EditCopy"));
  EXPECT_FALSE(On(w, "EditCut"));
  EXPECT_TRUE(On(w, "EditPaste"));
}

class SaveCommandTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    dir = std::filesystem::temp_directory_path() / ("gradix-shell-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
  }
  void TearDown() override {
    fw::FileTestHooks::ClearChooserAnswer();
    std::filesystem::remove_all(dir);
    ShellTest::TearDown();
  }
  std::filesystem::path dir;
};

TEST_F(SaveCommandTest, SaveWithoutAFileAsksForUntitledAndTakesTheChosenName) {
  MainWndo& w = OpenWindow();
  w.Dirty = true;
  fw::FileTestHooks::AnswerNextChooser((dir / "run1.gdx").string());
  EXPECT_TRUE(w._FileSave_Action());
  EXPECT_EQ(fw::FileTestHooks::ChooserCount(), 1);
  EXPECT_TRUE(fw::FileTestHooks::LastChooserRequest().save);
  EXPECT_EQ(fw::FileTestHooks::LastChooserRequest().typeName, "GradixData");
  EXPECT_EQ(fw::FileTestHooks::LastChooserRequest().suggestedName, "Untitled");
  ASSERT_NE(w.myFile, nullptr);
  EXPECT_EQ(w.myFile->Name(), "run1.gdx");
  EXPECT_EQ(w.Title(), "run1.gdx");

  EXPECT_FALSE(w._FileSave_Action());
  EXPECT_EQ(fw::FileTestHooks::ChooserCount(), 1);
}

TEST_F(SaveCommandTest, CancelledChoosersChangeNothing) {
  MainWndo& w = OpenWindow();
  w.Dirty = true;
  fw::FileTestHooks::AnswerNextChooser(std::nullopt);
  EXPECT_TRUE(w._FileSave_Action());
  fw::FileTestHooks::AnswerNextChooser(std::nullopt);
  EXPECT_FALSE(w._FileSaveAs_Action());
  EXPECT_EQ(w.myFile, nullptr);
  EXPECT_EQ(w.Title(), "Untitled");
  EXPECT_TRUE(w.Dirty);
}

TEST_F(SaveCommandTest, SaveAsSuggestsTheTitle) {
  MainWndo& w = OpenWindow();
  w.SetTitle("pendulum.gdx");
  fw::FileTestHooks::AnswerNextChooser((dir / "copy.gdx").string());
  EXPECT_TRUE(fw::TestHooks::ChooseMenu(w, "FileSaveAs"));
  EXPECT_EQ(fw::FileTestHooks::LastChooserRequest().suggestedName, "pendulum.gdx");
  EXPECT_EQ(w.Title(), "copy.gdx");
  EXPECT_EQ(w.myFile->Path(), (dir / "copy.gdx").string());
}

using WindowEventTest = ShellTest;

TEST_F(WindowEventTest, CloseCommandClosesTheWindow) {
  MainWndo& w = OpenWindow();
  EXPECT_TRUE(fw::TestHooks::ChooseMenu(w, "FileClose"));
  EXPECT_TRUE(w.IsClosed());
}

TEST_F(WindowEventTest, ReactivationReopensTheRememberedCell) {
  MainWndo& w = OpenWindow();
  FillNames(w, "Ann", "t", "s", "d", "m");
  fw::TestHooks::ClickTab(*w.TabPanel1, 1);
  w.LBData->EditCell(4, 3);
  w.Event_Deactivate();
  EXPECT_EQ(w.CurrRow, 4);
  EXPECT_EQ(w.CurrCol, 3);
  w.LBData->EditCell(0, 0);
  w.Event_Activate();
  EXPECT_EQ(w.LBData->EditRow(), 4);
  EXPECT_EQ(w.LBData->EditColumn(), 3);
}

TEST_F(WindowEventTest, ReactivationOpensNoCellWhereNoneCouldBeOpenedByHand) {
  MainWndo& w = OpenWindow();
  FillNames(w, "Ann", "t", "s", "d", "m");
  fw::TestHooks::ClickTab(*w.TabPanel1, 1);
  w.LBData->EditCell(2, 1);
  w.Event_Deactivate();
  fw::TestHooks::ClickTab(*w.TabPanel1, 0);
  w.Event_Activate();
  EXPECT_EQ(w.LBData->ActiveCell(), nullptr);

  fw::TestHooks::ClickTab(*w.TabPanel1, 1);
  w.LBData->EditCell(0, 0);
  w.RBHCalculated->SetValue(true);
  w.CurrRow = 2;
  w.CurrCol = 2;
  w.Event_Activate();
  EXPECT_EQ(w.LBData->ActiveCell(), nullptr);
}


TEST_F(WindowEventTest, SwitchingToAnotherWindowAndBackReopensTheOpenCell) {
  MainWndo& a = OpenWindow();
  FillNames(a, "Ann", "t", "s", "d", "m");
  fw::TestHooks::ClickTab(*a.TabPanel1, 1);
  a.LBData->EditCell(3, 2);
  ASSERT_TRUE(a.IsActive());

  MainWndo& b = OpenWindow();
  EXPECT_TRUE(b.IsActive());
  EXPECT_FALSE(a.IsActive());
  EXPECT_EQ(a.CurrRow, 3);
  EXPECT_EQ(a.CurrCol, 2);
  EXPECT_EQ(b.CurrCol, 0);
  a.LBData->EditCell(0, 0);
  ASSERT_EQ(a.LBData->ActiveCell(), nullptr);

  a.Show();
  EXPECT_TRUE(a.IsActive());
  EXPECT_EQ(a.LBData->EditRow(), 3);
  EXPECT_EQ(a.LBData->EditColumn(), 2);
  EXPECT_EQ(b.CurrRow, -1);
  EXPECT_EQ(b.CurrCol, -1);
  EXPECT_EQ(b.LBData->ActiveCell(), nullptr);
}

TEST_F(WindowEventTest, ReactivationWhileATeamIsShownOpensNoCell) {
  MainWndo& w = OpenWindow();
  FillNames(w, "Ann", "t", "s", "d", "m");
  fw::TestHooks::ClickTab(*w.TabPanel1, 1);
  w.LBData->EditCell(5, 3);
  w.Event_Deactivate();
  w.LBData->EditCell(0, 0);
  w.SDDatDspd->SetValue(7);
  w.Event_Activate();
  EXPECT_EQ(w.LBData->ActiveCell(), nullptr);
  w.SDDatDspd->SetValue(1);
  w.Event_Activate();
  EXPECT_EQ(w.LBData->EditRow(), 5);
  EXPECT_EQ(w.LBData->EditColumn(), 3);
}

TEST_F(WindowEventTest, TheWindowsOwnMessageDialogLeavesItsCellOpenAndRaisesNoActivation) {
  MainWndo& w = OpenWindow();
  FillNames(w, "Ann", "t", "s", "d", "m");
  fw::TestHooks::ClickTab(*w.TabPanel1, 1);
  w.LBData->EditCell(2, 1);
  // Counted outside the test's frame: closing the window after the test deactivates it.
  auto activations = std::make_shared<int>(0);
  auto deactivations = std::make_shared<int>(0);
  w.Activate = [activations] { ++*activations; };
  w.Deactivate = [deactivations] { ++*deactivations; };
  AnswerWarning();
  w.CallWarnDialog("Done");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(*activations, 0);
  EXPECT_EQ(*deactivations, 0);
  EXPECT_EQ(w.LBData->EditRow(), 2);
  EXPECT_EQ(w.LBData->EditColumn(), 1);
}

}  // namespace
