#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QFocusEvent>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "framework/EditField.h"
#include "framework/Keyboard.h"
#include "framework/Listbox.h"
#include "framework/TestHooks.h"
#include "framework/Text.h"
#include "framework/Window.h"

namespace {

using fw::Listbox;
namespace hooks = fw::TestHooks;

// Records the reasons of the focus-outs a widget receives.
class FocusOutSpy : public QObject {
 public:
  explicit FocusOutSpy(QWidget* widget) { widget->installEventFilter(this); }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::FocusOut) reasons.push_back(static_cast<QFocusEvent*>(event)->reason());
    return false;
  }
  std::vector<Qt::FocusReason> reasons;
};

std::string At(const char* event, int row, int column) {
  return std::string(event) + " " + std::to_string(row) + "," + std::to_string(column);
}

// A data table as the document window sets it up: 99 numbered rows, column 0
// plain, columns 1..4 editable, every event written to a log.
class ListboxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    hooks::Reset();
    window = std::make_unique<fw::Window>();
    window->SetSize(600, 700);
    list = &window->Add<Listbox>("LBData");
    list->SetBounds(35, 187, 528, 468);
    list->SetColumnCount(5);
    list->SetHasHeading(true);
    list->SetColumnWidths("25,*,*,*,*");
    for (int c = 0; c < 5; ++c) {
      list->SetColumnType(c, c == 0 ? Listbox::TypeNormal : Listbox::TypeEditable);
      list->SetColumnAlignment(c, Listbox::AlignRight);
      list->SetColumnAlignmentOffset(c, -2);
    }
    for (int i = 1; i <= 99; ++i) list->AddRow(fw::Str(i));
    other = &window->Add<fw::EditField>("EFNames");
    other->SetBounds(35, 20, 200, 22);

    list->CellGotFocus = [this](int r, int c) {
      log.push_back(At("GotFocus", r, c));
      gotFocusEditor = list->ActiveCell();
    };
    list->CellLostFocus = [this](int r, int c) { log.push_back(At("LostFocus", r, c)); };
    list->CellAction = [this](int r, int c) {
      log.push_back(At("Action", r, c));
      actionEditor = list->ActiveCell();
      actionText = list->Cell(r, c);
    };
    list->CellTextChange = [this](int r, int c) {
      log.push_back(At("TextChange", r, c));
      changedText = list->Cell(r, c);
    };
    window->Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window->Widget()));
  }

  void TearDown() override { window.reset(); }

  QTableView* View() const { return static_cast<QTableView*>(list->Widget()); }
  QLineEdit* Line() const { return qobject_cast<QLineEdit*>(list->ActiveCell()->KeyTarget()); }
  void ClickCell(int row, int column, const std::string& modifiers = "") {
    int x = 0, y = 0;
    list->CellCentre(row, column, &x, &y);
    hooks::ClickAt(*list, x, y, modifiers);
  }

  std::unique_ptr<fw::Window> window;
  Listbox* list = nullptr;
  fw::EditField* other = nullptr;
  std::vector<std::string> log;
  fw::EditField* gotFocusEditor = nullptr;
  fw::EditField* actionEditor = reinterpret_cast<fw::EditField*>(1);
  std::string actionText = "unset";
  std::string changedText;
};

TEST_F(ListboxTest, EditCellOpensSynchronouslyWithTheCellsText) {
  list->SetCell(4, 1, "3.14159");
  EXPECT_EQ(list->ActiveCell(), nullptr);
  list->EditCell(4, 1);
  ASSERT_NE(list->ActiveCell(), nullptr);
  EXPECT_EQ(log, (std::vector<std::string>{"GotFocus 4,1"}));
  EXPECT_EQ(gotFocusEditor, list->ActiveCell());
  EXPECT_EQ(list->ActiveCell()->Text(), "3.14159");
  EXPECT_EQ(list->ActiveCell()->SelStart(), 0);
  EXPECT_EQ(list->ActiveCell()->SelLength(), 7);
  EXPECT_TRUE(Line()->hasFocus());
}

TEST_F(ListboxTest, EditCellCommitsTheOpenCellBeforeOpeningTheNext) {
  list->EditCell(4, 1);
  hooks::TypeText(*list, "2.5");
  log.clear();
  list->EditCell(4, 2);
  EXPECT_EQ(log, (std::vector<std::string>{"Action 4,1", "LostFocus 4,1", "GotFocus 4,2"}));
  // The commit is raised with the editor closed and the typed text in the cell.
  EXPECT_EQ(actionEditor, nullptr);
  EXPECT_EQ(actionText, "2.5");
  EXPECT_EQ(list->Cell(4, 1), "2.5");
  ASSERT_NE(list->ActiveCell(), nullptr);
  EXPECT_TRUE(Line()->hasFocus());

  // Reopening the open cell commits it and opens it again.
  log.clear();
  list->EditCell(4, 2);
  EXPECT_EQ(log, (std::vector<std::string>{"Action 4,2", "LostFocus 4,2", "GotFocus 4,2"}));
}

TEST_F(ListboxTest, ActiveCellIsNilAfterACommitThatOpensNothing) {
  list->EditCell(7, 3);
  log.clear();
  // Column 0 holds the row numbers: it commits the open cell and opens none.
  list->EditCell(7, 0);
  EXPECT_EQ(log, (std::vector<std::string>{"Action 7,3", "LostFocus 7,3"}));
  EXPECT_EQ(list->ActiveCell(), nullptr);
  EXPECT_EQ(list->Cell(7, 0), "8");
  EXPECT_FALSE(other->HasFocus());

  // A cell outside the table changes nothing.
  list->EditCell(2, 2);
  log.clear();
  list->EditCell(99, 1);
  list->EditCell(-1, 1);
  list->EditCell(2, 5);
  EXPECT_TRUE(log.empty());
  ASSERT_NE(list->ActiveCell(), nullptr);
  EXPECT_EQ(list->EditRow(), 2);
  EXPECT_EQ(list->EditColumn(), 2);
}

TEST_F(ListboxTest, ACommitHandlerThatOpensACellLeavesThatOneOpen) {
  list->CellAction = [this](int r, int) {
    if (r == 1) list->EditCell(50, 4);
  };
  list->EditCell(1, 1);
  list->EditCell(2, 1);
  EXPECT_EQ(list->EditRow(), 50);
  EXPECT_EQ(list->EditColumn(), 4);
  EXPECT_TRUE(Line()->hasFocus());
}

TEST_F(ListboxTest, CellKeyDownSeesEveryKeyFirstAsTheApplicationsCharacter) {
  std::vector<std::string> keys;
  list->CellKeyDown = [&](int r, int c, const std::string& key) {
    keys.push_back(std::to_string(r) + "," + std::to_string(c) + ":" + std::to_string(fw::Asc(key)));
    return key != "a";
  };
  list->EditCell(3, 1);
  for (const char* key : {"Return", "Enter", "Tab", "Backtab", "Left", "Right", "Up", "Down", "Backspace", "x"}) {
    hooks::PressKey(*list, key);
  }
  hooks::PressKey(*list, "Left", "ctrl");
  EXPECT_EQ(keys, (std::vector<std::string>{"3,1:13", "3,1:3", "3,1:9", "3,1:9", "3,1:28", "3,1:29", "3,1:30",
                                            "3,1:31", "3,1:8", "3,1:120", "3,1:28"}));
  // A modifier alone and a Control-letter chord are no keys of the cell.
  keys.clear();
  hooks::PressKey(*list, "c", "ctrl");
  QKeyEvent shift(QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier);
  QCoreApplication::sendEvent(Line(), &shift);
  EXPECT_TRUE(keys.empty());
}

TEST_F(ListboxTest, ConsumedKeysNeverReachTheEditor) {
  list->CellKeyDown = [](int, int, const std::string& key) { return key != "7"; };
  list->EditCell(3, 1);
  for (const char* key : {"Tab", "Backtab", "Return", "Enter", "Left", "Right", "Up", "Down", "f", "7"}) {
    hooks::PressKey(*list, key);
  }
  EXPECT_EQ(list->ActiveCell()->Text(), "7");
  EXPECT_EQ(list->Cell(3, 1), "7");
  EXPECT_EQ(log, (std::vector<std::string>{"GotFocus 3,1", "TextChange 3,1"}));
  EXPECT_TRUE(Line()->hasFocus());
}

TEST_F(ListboxTest, TabMovesThroughTheTableWhenTheHandlerOpensTheNextCell) {
  list->CellKeyDown = [this](int r, int c, const std::string& key) {
    if (key != "\t") return false;
    list->EditCell(c == 4 ? r + 1 : r, c == 4 ? 1 : c + 1);
    return true;
  };
  list->EditCell(0, 3);
  hooks::TypeText(*list, "12");
  hooks::PressKey(*list, "Tab");
  hooks::PressKey(*list, "Tab");
  EXPECT_EQ(list->Cell(0, 3), "12");
  EXPECT_EQ(list->EditRow(), 1);
  EXPECT_EQ(list->EditColumn(), 1);
  EXPECT_TRUE(Line()->hasFocus());
  EXPECT_FALSE(other->HasFocus());
}

TEST_F(ListboxTest, UnconsumedUpAndDownStayInTheEditor) {
  list->CellKeyDown = [](int, int, const std::string&) { return false; };
  list->SetCell(10, 2, "42");
  list->EditCell(10, 2);
  list->ActiveCell()->SetSelStart(1);
  hooks::PressKey(*list, "Up");
  hooks::PressKey(*list, "Down");
  hooks::PressKey(*list, "PageDown");
  EXPECT_EQ(list->ListIndex(), -1);
  EXPECT_FALSE(View()->currentIndex().isValid());
  EXPECT_EQ(list->EditRow(), 10);
  EXPECT_EQ(log, (std::vector<std::string>{"GotFocus 10,2"}));
  EXPECT_EQ(list->ActiveCell()->Text(), "42");
}

TEST_F(ListboxTest, CellTextChangeOnlyForTheUsersEdits) {
  list->SetCell(5, 1, "1.5");
  list->EditCell(5, 1);
  log.clear();

  // The program's writes, to the cell or to its editor, are no edits.
  list->SetCell(5, 1, "9");
  EXPECT_EQ(list->ActiveCell()->Text(), "9");
  list->ActiveCell()->SetText("8");
  EXPECT_EQ(list->Cell(5, 1), "8");
  list->ActiveCell()->SelectAll();
  EXPECT_TRUE(log.empty());

  hooks::TypeText(*list, "4");
  EXPECT_EQ(log, (std::vector<std::string>{"TextChange 5,1"}));
  EXPECT_EQ(changedText, "4");
  hooks::PressKey(*list, "Backspace");
  EXPECT_EQ(changedText, "");
  hooks::PressKey(*list, "z", "ctrl");
  EXPECT_EQ(changedText, "4");
  EXPECT_EQ(log.size(), 3u);
}

TEST_F(ListboxTest, PasteCutAndClearThroughTheEditorAreUserEdits) {
  QApplication::clipboard()->setText("2.75");
  list->SetCell(6, 3, "100");
  list->EditCell(6, 3);
  log.clear();
  Line()->paste();
  EXPECT_EQ(changedText, "2.75");
  list->ActiveCell()->SetSelStart(0);
  list->ActiveCell()->SetSelLength(2);
  Line()->cut();
  EXPECT_EQ(changedText, "75");
  Line()->selectAll();
  Line()->del();
  EXPECT_EQ(changedText, "");
  EXPECT_EQ(log, (std::vector<std::string>{"TextChange 6,3", "TextChange 6,3", "TextChange 6,3"}));
  EXPECT_EQ(list->Cell(6, 3), "");
}

TEST_F(ListboxTest, TheWindowsOwnModalDialogDoesNotCommit) {
  list->CellKeyDown = [this](int, int, const std::string& key) {
    if (key != "f") return false;
    fw::Window dialog(fw::Window::SheetFrame);
    hooks::AnswerNextDialog([this](fw::Window& shown) {
      log.push_back(list->ActiveCell() ? "open during dialog" : "closed during dialog");
      shown.Hide();
    });
    dialog.ShowModalWithin(*window);
    return true;
  };
  list->EditCell(2, 1);
  hooks::TypeText(*list, "5");
  log.clear();
  FocusOutSpy spy(Line());
  hooks::PressKey(*list, "f");
  EXPECT_EQ(spy.reasons, (std::vector<Qt::FocusReason>{Qt::ActiveWindowFocusReason}));
  EXPECT_EQ(log, (std::vector<std::string>{"open during dialog"}));
  ASSERT_NE(list->ActiveCell(), nullptr);
  window->Widget()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window->Widget()));
  hooks::TypeText(*list, "6");
  EXPECT_EQ(list->Cell(2, 1), "56");
  EXPECT_EQ(list->EditRow(), 2);
}

TEST_F(ListboxTest, AMenuDoesNotCommit) {
  list->EditCell(8, 4);
  log.clear();
  FocusOutSpy spy(Line());
  QMenu menu(window->Widget());
  menu.addAction("Copy");
  QTimer::singleShot(50, &menu, [&] { menu.close(); });
  menu.exec(window->Widget()->mapToGlobal(QPoint(10, 10)));
  EXPECT_EQ(spy.reasons, (std::vector<Qt::FocusReason>{Qt::PopupFocusReason}));
  EXPECT_TRUE(log.empty());
  ASSERT_NE(list->ActiveCell(), nullptr);
  EXPECT_EQ(list->EditRow(), 8);
}

TEST_F(ListboxTest, TheMenuBarTakingTheKeyboardDoesNotCommit) {
  window->Widget()->show();
  window->Widget()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window->Widget()));
  list->EditCell(8, 4);
  log.clear();
  QWidget* line = Line();
  FocusOutSpy spy(line);
  // Escape out of a menu, or Alt alone, hands the keyboard to the menu bar for a while.
  QMenuBar* bar = static_cast<QMainWindow*>(window->Widget())->menuBar();
  bar->addMenu("Edit");
  bar->show();
  bar->setFocus(Qt::MenuBarFocusReason);
  line->setFocus(Qt::MenuBarFocusReason);
  EXPECT_EQ(spy.reasons, (std::vector<Qt::FocusReason>{Qt::MenuBarFocusReason}));
  EXPECT_TRUE(log.empty());
  ASSERT_NE(list->ActiveCell(), nullptr);
  EXPECT_EQ(window->Focus(), list->ActiveCell());
}

TEST_F(ListboxTest, AnotherWindowDoesNotCommitAndReopeningTheCellDoes) {
  list->EditCell(8, 2);
  log.clear();
  QWidget elsewhere;
  elsewhere.show();
  elsewhere.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
  EXPECT_TRUE(log.empty());
  ASSERT_NE(list->ActiveCell(), nullptr);
  window->Widget()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window->Widget()));
  EXPECT_TRUE(log.empty());
  list->EditCell(8, 2);
  EXPECT_EQ(log, (std::vector<std::string>{"Action 8,2", "LostFocus 8,2", "GotFocus 8,2"}));
  EXPECT_TRUE(Line()->hasFocus());
}

TEST_F(ListboxTest, FocusMovingToAnotherControlCommits) {
  list->EditCell(3, 4);
  hooks::TypeText(*list, "0.1");
  log.clear();
  other->SetFocus();
  EXPECT_EQ(log, (std::vector<std::string>{"Action 3,4", "LostFocus 3,4"}));
  EXPECT_EQ(actionText, "0.1");
  EXPECT_EQ(list->ActiveCell(), nullptr);
  EXPECT_TRUE(other->HasFocus());

  // An unconsumed Tab leaves the list the same way.
  list->EditCell(3, 4);
  log.clear();
  hooks::PressKey(*list, "Tab");
  EXPECT_EQ(log, (std::vector<std::string>{"Action 3,4", "LostFocus 3,4"}));
}

// A window shown but not yet active gets no focus events from Qt; a click on
// another field still leaves the cell, and a handler may close the window.
TEST(ListboxInactiveWindowTest, AClickOnAnotherFieldCommitsAndTheHandlerMayCloseTheWindow) {
  fw::Window& w = fw::NewWindow<fw::Window>();
  w.SetSize(400, 300);
  auto& list = w.Add<Listbox>("LBData");
  list.SetBounds(0, 0, 300, 200);
  list.SetColumnCount(2);
  list.SetColumnType(1, Listbox::TypeEditable);
  list.AddRow("1");
  auto& field = w.Add<fw::EditField>("EFNames");
  field.SetBounds(0, 250, 100, 22);
  std::vector<std::string> log;
  list.CellAction = [&](int r, int c) {
    log.push_back(At("Action", r, c) + " " + list.Cell(r, c));
    w.CloseNow();
  };
  list.CellLostFocus = [&](int r, int c) { log.push_back(At("LostFocus", r, c)); };
  list.EditCell(0, 1);
  hooks::TypeText(*list.ActiveCell(), "12");
  hooks::Click(field);
  EXPECT_EQ(log, (std::vector<std::string>{"Action 0,1 12", "LostFocus 0,1"}));
  EXPECT_EQ(list.ActiveCell(), nullptr);
  hooks::ProcessEvents();
  EXPECT_TRUE(fw::Windows().empty());
}

TEST(ListboxInactiveWindowTest, EditCellTakesTheWindowsFocusFromTheFieldThatHadIt) {
  fw::Window& w = fw::NewWindow<fw::Window>();
  w.SetSize(400, 300);
  auto& list = w.Add<Listbox>("LBData");
  list.SetBounds(0, 0, 300, 200);
  list.SetColumnCount(2);
  list.SetColumnType(1, Listbox::TypeEditable);
  list.AddRow("1");
  auto& field = w.Add<fw::EditField>("EFNames");
  field.SetBounds(0, 250, 100, 22);
  std::vector<std::string> log;
  field.LostFocus = [&] { log.push_back("EFNames LostFocus"); };
  field.GotFocus = [&] { log.push_back("EFNames GotFocus"); };
  list.CellGotFocus = [&](int r, int c) { log.push_back(At("GotFocus", r, c)); };
  list.CellAction = [&](int r, int c) { log.push_back(At("Action", r, c)); };
  list.CellLostFocus = [&](int r, int c) { log.push_back(At("LostFocus", r, c)); };
  field.SetFocus();
  log.clear();
  list.EditCell(0, 1);
  EXPECT_EQ(log, (std::vector<std::string>{"EFNames LostFocus", "GotFocus 0,1"}));
  EXPECT_EQ(w.Focus(), list.ActiveCell());
  log.clear();
  hooks::Click(field);
  EXPECT_EQ(log, (std::vector<std::string>{"Action 0,1", "LostFocus 0,1", "EFNames GotFocus"}));
  EXPECT_TRUE(field.HasFocus());
}

TEST_F(ListboxTest, HidingOrDisablingTheListCommits) {
  list->EditCell(1, 1);
  log.clear();
  list->SetVisible(false);
  EXPECT_EQ(log, (std::vector<std::string>{"Action 1,1", "LostFocus 1,1"}));
  EXPECT_EQ(list->ActiveCell(), nullptr);
  list->SetVisible(true);
  list->EditCell(1, 2);
  log.clear();
  list->SetEnabled(false);
  EXPECT_EQ(log, (std::vector<std::string>{"Action 1,2", "LostFocus 1,2"}));
}

TEST_F(ListboxTest, ACellOpenedWhileTheListIsHiddenTakesTheFocusWhenShown) {
  list->SetVisible(false);
  list->EditCell(0, 1);
  EXPECT_EQ(log, (std::vector<std::string>{"GotFocus 0,1"}));
  ASSERT_NE(list->ActiveCell(), nullptr);
  EXPECT_FALSE(Line()->hasFocus());
  list->SetVisible(true);
  EXPECT_TRUE(Line()->hasFocus());
}

TEST_F(ListboxTest, WritingTheOpenCellReachesItsEditorAndTheCommit) {
  list->EditCell(0, 1);
  hooks::TypeText(*list, "1");
  list->SetCell(0, 1, "10.5");
  EXPECT_EQ(list->ActiveCell()->Text(), "10.5");
  list->SetCell(0, 2, "0.5");
  EXPECT_EQ(list->ActiveCell()->Text(), "10.5");
  list->EditCell(1, 1);
  EXPECT_EQ(actionText, "10.5");
  EXPECT_EQ(list->Cell(0, 2), "0.5");
}

TEST_F(ListboxTest, ClickingACellRaisesCellClickWithinTheCell) {
  std::vector<std::string> clicks;
  bool handled = true;
  list->CellClick = [&](int r, int c, int x, int y) {
    clicks.push_back(At("Click", r, c));
    const int w = list->ColumnWidth(c);
    EXPECT_NEAR(x, w / 2, 1);
    EXPECT_NEAR(y, 9, 1);
    return handled;
  };
  ClickCell(5, 3);
  EXPECT_EQ(clicks, (std::vector<std::string>{"Click 5,3"}));
  EXPECT_EQ(list->ActiveCell(), nullptr);
  EXPECT_EQ(list->ListIndex(), -1);

  // Unhandled, the click selects the row and opens the cell.
  handled = false;
  ClickCell(6, 2);
  EXPECT_EQ(list->ListIndex(), 6);
  EXPECT_EQ(list->EditRow(), 6);
  EXPECT_EQ(list->EditColumn(), 2);

  // A row further down is scrolled to first.
  ClickCell(80, 1);
  EXPECT_EQ(clicks.back(), "Click 80,1");
  EXPECT_EQ(list->EditRow(), 80);
}

TEST_F(ListboxTest, AClickThatOpensACellCommitsTheOpenOneFirst) {
  list->CellClick = [this](int r, int c, int, int) {
    log.push_back(At("Click", r, c));
    list->EditCell(r, c);
    return true;
  };
  list->EditCell(0, 1);
  hooks::TypeText(*list, "3");
  log.clear();
  ClickCell(2, 3);
  EXPECT_EQ(log, (std::vector<std::string>{"Click 2,3", "Action 0,1", "LostFocus 0,1", "GotFocus 2,3"}));
  EXPECT_EQ(list->Cell(0, 1), "3");
  EXPECT_TRUE(Line()->hasFocus());
}

TEST_F(ListboxTest, OptionClickReportsTheModifier) {
  bool option = false;
  list->CellClick = [&](int, int, int, int) {
    option = fw::Keyboard::OptionKey();
    return true;
  };
  ClickCell(4, 1, "alt");
  EXPECT_TRUE(option);
}

TEST_F(ListboxTest, AHeadingPressNeverSorts) {
  std::vector<int> pressed;
  list->HeaderPressed = [&](int c) {
    pressed.push_back(c);
    return true;
  };
  list->SetCell(0, 2, "9");
  list->SetCell(1, 2, "1");
  list->EditCell(4, 4);
  log.clear();
  int x = 0, y = 0;
  list->HeadingCentre(2, &x, &y);
  hooks::ClickAt(*list, x, y);
  EXPECT_EQ(pressed, (std::vector<int>{2}));
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(list->EditRow(), 4);
  EXPECT_EQ(list->Cell(0, 2), "9");
  EXPECT_EQ(list->Cell(1, 2), "1");
  EXPECT_EQ(list->Cell(0, 0), "1");
}

TEST_F(ListboxTest, ColumnWidthsGiveFixedPixelsAndShareTheRest) {
  const int inner = View()->viewport()->width();
  EXPECT_LT(inner, 528);
  EXPECT_EQ(list->ColumnWidth(0), 25);
  int sum = 25;
  for (int c = 1; c <= 4; ++c) {
    EXPECT_NEAR(list->ColumnWidth(c), (inner - 25) / 4.0, 1.0) << c;
    sum += list->ColumnWidth(c);
  }
  EXPECT_EQ(sum, inner);
  EXPECT_EQ(View()->horizontalScrollBar()->maximum(), 0);

  list->SetColumnWidths("100,50");
  EXPECT_EQ(list->ColumnWidth(0), 100);
  EXPECT_EQ(list->ColumnWidth(1), 50);
  EXPECT_NEAR(list->ColumnWidth(2), (inner - 150) / 3.0, 1.0);

  list->SetColumnWidths("400,400,*,*,*");
  EXPECT_EQ(list->ColumnWidth(0), 400);
  EXPECT_EQ(list->ColumnWidth(2), 0);
  EXPECT_EQ(list->ColumnWidths(), "400,400,*,*,*");
}

TEST_F(ListboxTest, RowsHeadingsAndCells) {
  EXPECT_EQ(list->RowCount(), 99);
  EXPECT_EQ(list->LastIndex(), 98);
  EXPECT_EQ(list->Cell(0, 0), "1");
  EXPECT_EQ(list->Cell(98, 0), "99");
  EXPECT_EQ(list->Cell(98, 4), "");
  EXPECT_EQ(list->Cell(99, 0), "");
  list->SetCell(99, 1, "lost");
  EXPECT_EQ(list->RowCount(), 99);
  EXPECT_EQ(View()->verticalHeader()->sectionSize(40), 18);
  EXPECT_TRUE(View()->horizontalHeader()->isVisible());

  list->SetHeading(0, " ");
  list->SetHeading(1, "value of t");
  EXPECT_EQ(list->Heading(1), "value of t");
  EXPECT_EQ(View()->model()->headerData(1, Qt::Horizontal).toString(), "value of t");

  list->EditCell(3, 3);
  list->DeleteAllRows();
  EXPECT_EQ(list->RowCount(), 0);
  EXPECT_EQ(list->ActiveCell(), nullptr);
  EXPECT_EQ(log.back(), "LostFocus 3,3");
}

TEST_F(ListboxTest, TheEditedCellIsScrolledIntoView) {
  EXPECT_EQ(list->ScrollPosition(), 0);
  list->EditCell(98, 1);
  EXPECT_GT(list->ScrollPosition(), 70);
  const QRect editor = list->ActiveCell()->Widget()->geometry();
  EXPECT_TRUE(View()->viewport()->rect().contains(editor)) << editor.y();
  EXPECT_EQ(editor.height(), 18);
  list->EditCell(0, 1);
  EXPECT_EQ(list->ScrollPosition(), 0);
  EXPECT_EQ(list->ActiveCell()->Widget()->geometry().top(), 0);
}

TEST_F(ListboxTest, DrawsTheTablesLines) {
  for (int r = 0; r < 99; ++r) {
    list->SetCellBorderRight(r, 0, Listbox::BorderThickSolid);
    list->SetCellBorderRight(r, 1, Listbox::BorderThinDotted);
  }
  list->SetGridLinesHorizontal(Listbox::BorderThinDotted);
  list->SetCell(0, 1, "1.5");
  list->SetCell(1, 1, "2");
  list->EditCell(3, 3);
  ASSERT_TRUE(hooks::SaveScreenshot(*window, testing::TempDir() + "listbox.png"));

  const QImage image = View()->viewport()->grab().toImage();
  const auto dark = [&](int x, int y) { return qGray(image.pixel(x, y)) < 100; };
  const auto grey = [&](int x, int y) { return qGray(image.pixel(x, y)) < 230; };
  const int end0 = list->ColumnWidth(0) - 1;
  const int end1 = end0 + list->ColumnWidth(1);
  // Two solid pixels after the row numbers, on every line of a row.
  for (int y = 0; y < 18; ++y) {
    EXPECT_TRUE(dark(end0, y) && dark(end0 - 1, y)) << y;
    EXPECT_FALSE(dark(end0 + 1, y)) << y;
  }
  // A dotted line after the value and under each row.
  int dots = 0;
  for (int y = 20; y < 34; ++y) dots += grey(end1, y) ? 1 : 0;
  EXPECT_GT(dots, 4);
  EXPECT_LT(dots, 12);
  dots = 0;
  for (int x = end0 + 4; x < end0 + 40; ++x) dots += grey(x, 17) ? 1 : 0;
  EXPECT_GT(dots, 10);
  EXPECT_LT(dots, 26);
  // Right-aligned text ends 2 pixels inside the cell.
  int rightmost = 0;
  for (int x = end0 + 1; x < end1 - 1; ++x) {
    for (int y = 20; y < 34; ++y) {
      if (dark(x, y)) rightmost = x;
    }
  }
  EXPECT_GE(rightmost, end1 - 5);
  EXPECT_LE(rightmost, end1 - 2);
}

TEST_F(ListboxTest, OneRowSelectedAtATime) {
  list->SetSelected(3, true);
  list->SetSelected(5, true);
  EXPECT_FALSE(list->Selected(3));
  EXPECT_TRUE(list->Selected(5));
  EXPECT_EQ(list->ListIndex(), 5);
  list->SetSelected(5, false);
  EXPECT_EQ(list->ListIndex(), -1);
  list->SetListIndex(7);
  EXPECT_TRUE(list->Selected(7));
  list->SetListIndex(-1);
  EXPECT_FALSE(list->Selected(7));
}

}  // namespace
