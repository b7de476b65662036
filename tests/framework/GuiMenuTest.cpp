#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "framework/Application.h"
#include "framework/EditField.h"
#include "framework/MenuBar.h"
#include "framework/QuitMenuItem.h"
#include "framework/TestHooks.h"
#include "framework/Window.h"

namespace {

std::unique_ptr<fw::MenuItem> Item(const std::string& name, const std::string& text, const std::string& shortcut,
                                   bool autoEnable) {
  auto item = std::make_unique<fw::MenuItem>(name, text);
  item->SetAutoEnable(autoEnable);
  item->SetKeyboardShortcut(shortcut);
  return item;
}

struct MenuFixture {
  fw::MenuBar bar;
  fw::Application app;
  std::vector<std::string> log;
  bool dirty = false;
  bool undoHeld = false;

  MenuFixture() {
    auto& file = bar.Append(Item("FileMenu", "&File", "", true));
    file.Append(Item("FileNew", "New", "Cmd+N", true));
    file.Append(Item("FileOpen", "Open\xe2\x80\xa6", "Cmd+O", true));
    file.Append(Item("FileSave", "Save\xe2\x80\xa6", "Cmd+S", false));
    auto quit = std::make_unique<fw::QuitMenuItem>("FileQuit", "Quit");
    quit->SetKeyboardShortcut("Cmd+Q");
    file.Append(std::move(quit));
    auto& edit = bar.Append(Item("EditMenu", "&Edit", "", true));
    edit.Append(Item("EditUndo", "Undo", "Cmd+Z", false));
    edit.Append(Item("UntitledMenu0", "-", "", true));
    edit.Append(Item("EditCopy", "Copy", "Cmd+C", false));
    edit.Append(Item("EditPaste", "Paste", "Cmd+V", false));
    app.SetMenuBar(&bar);
    app.AddMenuHandler("FileNew", [this] {
      log.push_back("app FileNew");
      return true;
    });
    app.AddMenuHandler("FileSave", [this] {
      log.push_back("app FileSave");
      return true;
    });
  }

  fw::Window& NewDocument() {
    fw::Window& w = fw::NewWindow<fw::Window>();
    w.SetMenuBar(&bar);
    w.EnableMenuItems = [this, &w] {
      log.push_back("enable");
      if (dirty) w.CurrentMenuBar()->Child("FileSave")->Enable();
      if (undoHeld) w.CurrentMenuBar()->Child("EditUndo")->Enable();
    };
    return w;
  }
};

}  // namespace

TEST(GuiMenuTest, EnableMenuItemsRunsBeforeEveryDispatchAndDisabledItemsDoNothing) {
  MenuFixture f;
  fw::Window& w = f.NewDocument();
  w.AddMenuHandler("FileSave", [&] {
    f.log.push_back("window FileSave");
    return false;
  });
  EXPECT_FALSE(fw::TestHooks::ChooseMenu(w, "FileSave"));
  EXPECT_EQ(f.log, std::vector<std::string>{"enable"});
  f.dirty = true;
  f.log.clear();
  EXPECT_TRUE(fw::TestHooks::ChooseMenu(w, "FileSave"));
  // The window's handler comes first; false passes the command on to the application.
  EXPECT_EQ(f.log, (std::vector<std::string>{"enable", "window FileSave", "app FileSave"}));
  // Each round starts from AutoEnable: last round's Enable does not stick.
  f.dirty = false;
  EXPECT_FALSE(fw::TestHooks::MenuItemEnabled(w, "FileSave"));
  EXPECT_TRUE(fw::TestHooks::MenuItemEnabled(w, "FileNew"));
  EXPECT_TRUE(fw::TestHooks::MenuItemEnabled(w, "UntitledMenu0"));
}

TEST(GuiMenuTest, AHandlerReturningTrueEndsTheDispatch) {
  MenuFixture f;
  fw::Window& w = f.NewDocument();
  w.AddMenuHandler("FileNew", [&] {
    f.log.push_back("window FileNew");
    return true;
  });
  fw::TestHooks::ChooseMenu(w, "FileNew");
  EXPECT_EQ(f.log, (std::vector<std::string>{"enable", "window FileNew"}));
}

TEST(GuiMenuTest, ShortcutsRunEnableMenuItemsAndDispatchToTheFrontWindow) {
  MenuFixture f;
  fw::Window& w = f.NewDocument();
  auto& field = w.Add<fw::EditField>("EFNames");
  int saves = 0;
  w.AddMenuHandler("FileSave", [&] {
    ++saves;
    return true;
  });
  fw::TestHooks::PressKey(field, "s", "ctrl");
  EXPECT_EQ(saves, 0);
  f.dirty = true;
  fw::TestHooks::PressKey(field, "s", "ctrl");
  EXPECT_EQ(saves, 1);
  EXPECT_EQ(f.log, (std::vector<std::string>{"enable", "enable"}));
  fw::TestHooks::PressKey(field, "n", "ctrl");
  EXPECT_EQ(f.log.back(), "app FileNew");
  EXPECT_EQ(field.Text(), "");
}

TEST(GuiMenuTest, ADisabledEditShortcutIsLeftToTheFieldsOwnEditing) {
  MenuFixture f;
  fw::Window& w = f.NewDocument();
  auto& field = w.Add<fw::EditField>("EFNames");
  int undos = 0;
  w.AddMenuHandler("EditUndo", [&] {
    ++undos;
    return true;
  });
  fw::TestHooks::TypeText(field, "ab");
  fw::TestHooks::PressKey(field, "z", "ctrl");
  EXPECT_EQ(undos, 0);
  EXPECT_NE(field.Text(), "ab");  // the field undid its own typing
  f.undoHeld = true;
  fw::TestHooks::TypeText(field, "c");
  const std::string before = field.Text();
  fw::TestHooks::PressKey(field, "z", "ctrl");
  EXPECT_EQ(undos, 1);
  EXPECT_EQ(field.Text(), before);
  EXPECT_EQ(fw::TestHooks::BeepCount(), 0);
}

TEST(GuiMenuTest, OpeningAMenuRunsEnableMenuItemsAndShowsTextsAndShortcuts) {
  MenuFixture f;
  fw::Window& w = f.NewDocument();
  auto* window = static_cast<QMainWindow*>(w.Widget());
  QList<QAction*> titles = window->menuBar()->actions();
  ASSERT_EQ(titles.size(), 2);
  EXPECT_EQ(titles[0]->text(), "&File");
  QMenu* file = titles[0]->menu();
  f.dirty = true;
  emit file->aboutToShow();
  EXPECT_EQ(f.log, std::vector<std::string>{"enable"});
  QStringList texts;
  for (QAction* a : file->actions()) texts << a->text() + (a->isEnabled() ? "" : " (off)");
  EXPECT_EQ(texts, (QStringList{"New\tCtrl+N", QString::fromUtf8("Open\xe2\x80\xa6\tCtrl+O"),
                                QString::fromUtf8("Save\xe2\x80\xa6\tCtrl+S"), "Quit\tCtrl+Q"}));
  f.dirty = false;
  QMenu* edit = titles[1]->menu();
  emit edit->aboutToShow();
  EXPECT_TRUE(edit->actions()[1]->isSeparator());
  EXPECT_FALSE(edit->actions()[0]->isEnabled());
  int saves = 0;
  w.AddMenuHandler("FileSave", [&] {
    ++saves;
    return true;
  });
  f.dirty = true;
  emit file->aboutToShow();
  file->actions()[2]->trigger();
  EXPECT_EQ(saves, 1);
  // The bar stands above the content area, which keeps its own size.
  const std::string path = testing::TempDir() + "menu_window.png";
  ASSERT_TRUE(fw::TestHooks::SaveScreenshot(w, path));
  const QImage shot(QString::fromStdString(path));
  EXPECT_TRUE(window->menuBar()->isVisible());
  EXPECT_EQ(shot.height(), w.Height() + window->menuBar()->height());
}

TEST(GuiMenuTest, QuitAsksEveryDocumentWindowAndStopsWhenOneRefuses) {
  MenuFixture f;
  fw::Window& first = f.NewDocument();
  fw::Window& second = f.NewDocument();
  std::vector<bool> quittingFlags;
  bool refuse = true;
  first.CancelClose = [&](bool quitting) {
    quittingFlags.push_back(quitting);
    return refuse;
  };
  second.CancelClose = [&](bool quitting) {
    quittingFlags.push_back(quitting);
    return false;
  };
  fw::TestHooks::ChooseMenu(second, "FileQuit");
  EXPECT_EQ(quittingFlags, (std::vector<bool>{true, true}));
  EXPECT_TRUE(second.IsClosed());
  EXPECT_FALSE(first.IsClosed());
  refuse = false;
  fw::TestHooks::ChooseMenu(first, "FileQuit");
  EXPECT_TRUE(first.IsClosed());
}

TEST(GuiMenuTest, EditCommandsWithoutAHandlerActOnTheFocusedField) {
  MenuFixture f;
  fw::Window& w = f.NewDocument();
  w.EnableMenuItems = [&] {
    w.CurrentMenuBar()->Child("EditCopy")->Enable();
    w.CurrentMenuBar()->Child("EditPaste")->Enable();
  };
  auto& from = w.Add<fw::EditField>("EFHName");
  auto& to = w.Add<fw::EditField>("EFVName");
  from.SetText("time");
  from.SetFocus();
  from.SelectAll();
  EXPECT_TRUE(fw::TestHooks::ChooseMenu(w, "EditCopy"));
  to.SetFocus();
  int changes = 0;
  to.TextChange = [&] { ++changes; };
  EXPECT_TRUE(fw::TestHooks::ChooseMenu(w, "EditPaste"));
  EXPECT_EQ(to.Text(), "time");
  EXPECT_EQ(changes, 1);
}

TEST(GuiMenuTest, ShortcutsAreFoundWithTheirModifiers) {
  fw::MenuBar bar;
  auto& menu = bar.Append(Item("M", "&M", "", true));
  menu.Append(Item("Plain", "Plain", "Cmd+P", true));
  menu.Append(Item("Shifted", "Shifted", "Cmd+Shift+P", true));
  EXPECT_EQ(bar.ItemForShortcut("P", false, false)->Name(), "Plain");
  EXPECT_EQ(bar.ItemForShortcut("p", true, false)->Name(), "Shifted");
  EXPECT_EQ(bar.ItemForShortcut("P", false, true), nullptr);
  EXPECT_EQ(bar.ItemForShortcut("Q", false, false), nullptr);
  EXPECT_EQ(bar.Child("Shifted")->Parent(), &menu);
}

TEST(GuiMenuTest, EscapeClosesAMenuAndGivesTheKeyboardBackToTheField) {
  MenuFixture f;
  fw::Window& w = f.NewDocument();
  auto& field = w.Add<fw::EditField>("EFNames");
  field.SetBounds(10, 10, 200, 22);
  auto* window = static_cast<QMainWindow*>(w.Widget());
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  field.SetFocus();
  QMenuBar* menuBar = window->menuBar();
  QAction* edit = menuBar->actions()[1];
  QTest::mouseClick(menuBar, Qt::LeftButton, {}, menuBar->actionGeometry(edit).center());
  QMenu* menu = edit->menu();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
  QTest::keyClick(menu, Qt::Key_Escape);
  EXPECT_FALSE(menu->isVisible());
  EXPECT_EQ(QApplication::focusWidget(), field.Widget());
  EXPECT_TRUE(field.HasFocus());
  QTest::keyClicks(QApplication::focusWidget(), "5");
  EXPECT_EQ(field.Text(), "5");
}
