#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/Evaluator.h"
#include "framework/Application.h"
#include "framework/BackgroundTask.h"
#include "framework/Beep.h"
#include "framework/Canvas.h"
#include "framework/EditField.h"
#include "framework/Keyboard.h"
#include "framework/PushButton.h"
#include "framework/RuntimeException.h"
#include "framework/TabPanel.h"
#include "framework/TestHooks.h"
#include "framework/Window.h"

namespace {

int destroyedWindows = 0;

class CountedWindow : public fw::Window {
 public:
  ~CountedWindow() override { ++destroyedWindows; }
};

}  // namespace

TEST(GuiWindowTest, ADocumentWindowHasItsFixedContentSizeAndTitleAndOpensInOrder) {
  std::vector<std::string> order;
  class Built : public fw::Window {
   public:
    explicit Built(std::vector<std::string>& order) {
      SetSize(744, 684);
      SetTitle("Untitled");
      auto& field = Add<fw::EditField>("EFNames");
      field.Open = [&order] { order.push_back("control Open"); };
      Open = [&order] { order.push_back("window Open"); };
    }
  };
  fw::Window& w = fw::NewWindow<Built>(order);
  EXPECT_EQ(order, (std::vector<std::string>{"control Open", "window Open"}));
  EXPECT_TRUE(w.Visible());
  EXPECT_EQ(w.Title(), "Untitled");
  EXPECT_EQ(w.Content()->size(), QSize(744, 684));
  EXPECT_EQ(w.Width(), 744);
  EXPECT_EQ(w.Height(), 684);
  EXPECT_EQ(w.Widget()->minimumSize(), w.Widget()->maximumSize());
  fw::Window& sheet = fw::NewWindow<fw::Window>(fw::Window::SheetFrame);
  EXPECT_FALSE(sheet.Visible());
}

TEST(GuiWindowTest, TheCloseBoxAsksCancelCloseOnceAndTheWindowIsDestroyedAfterTheHandler) {
  destroyedWindows = 0;
  CountedWindow& w = fw::NewWindow<CountedWindow>();
  std::vector<bool> asked;
  bool cancel = true;
  w.CancelClose = [&](bool quitting) {
    asked.push_back(quitting);
    return cancel;
  };
  fw::TestHooks::ClickCloseBox(w);
  EXPECT_FALSE(w.IsClosed());
  cancel = false;
  fw::TestHooks::ClickCloseBox(w);
  EXPECT_EQ(asked, (std::vector<bool>{false, false}));
  EXPECT_TRUE(w.IsClosed());
  EXPECT_TRUE(fw::Windows().empty());
  fw::TestHooks::ProcessEvents();
  EXPECT_EQ(destroyedWindows, 1);
}

TEST(GuiWindowTest, AWindowClosedByItsOwnHandlerLivesUntilTheHandlerReturns) {
  destroyedWindows = 0;
  CountedWindow& w = fw::NewWindow<CountedWindow>();
  auto& close = w.Add<fw::PushButton>("PBClose");
  int destroyedInside = -1;
  close.Action = [&] {
    w.CloseNow();
    fw::RuntimeBackgroundTask();
    fw::TestHooks::ProcessEvents();
    destroyedInside = destroyedWindows;
  };
  close.Push();
  EXPECT_EQ(destroyedInside, 0);
  fw::TestHooks::ProcessEvents();
  EXPECT_EQ(destroyedWindows, 1);
}

TEST(GuiWindowTest, NoExceptionLeavesAHandlerAndTheApplicationShowsItsMessage) {
  std::vector<std::string> shown;
  fw::Window* shownFor = nullptr;
  fw::Application::SetExceptionHandler([&](fw::Window* window, const std::string& message) {
    shown.push_back(message);
    shownFor = window;
  });
  fw::Window& w = fw::NewWindow<fw::Window>();
  auto& button = w.Add<fw::PushButton>("PBUpdate");
  button.Action = [] { throw fw::RuntimeException("Min must be less than Max"); };
  fw::TestHooks::Click(button);
  auto& field = w.Add<fw::EditField>("EFHMin");
  field.TextChange = [] { throw std::runtime_error("bad text"); };
  field.SetText("1");
  field.TextChange = nullptr;
  field.KeyDown = [](const std::string&) -> bool { throw 42; };
  fw::TestHooks::PressKey(field, "x");
  struct Quiet : fw::RuntimeException {
    const char* what() const noexcept override { return "Graph error from what()"; }
  };
  button.Action = [] { throw Quiet(); };
  button.Push();
  EXPECT_EQ(shown, (std::vector<std::string>{"Min must be less than Max", "bad text", "An unexpected error occurred.",
                                             "Graph error from what()"}));
  EXPECT_EQ(shownFor, &w);
  // A key whose handler failed is not consumed.
  EXPECT_EQ(field.Text(), "1x");
  fw::Application::SetExceptionHandler(nullptr);
}

TEST(GuiWindowTest, FocusOnAHiddenPageIsClearedAndFocusEventsFollowTheFocus) {
  fw::Window& w = fw::NewWindow<fw::Window>();
  auto& panel = w.Add<fw::TabPanel>("TabPanel1");
  panel.SetBounds(0, 0, 300, 200);
  panel.AppendTab("Names");
  panel.AppendTab("Data");
  auto& names = w.Add<fw::EditField>("EFNames");
  names.SetEnclosure(&panel, 0);
  auto& formula = w.Add<fw::EditField>("EFHFormula");
  formula.SetEnclosure(&panel, 1);
  std::vector<std::string> events;
  names.GotFocus = [&] { events.push_back("names got"); };
  names.LostFocus = [&] { events.push_back("names lost"); };
  formula.GotFocus = [&] { events.push_back("formula got"); };
  names.SetFocus();
  EXPECT_EQ(w.Focus(), &names);
  formula.SetFocus();
  EXPECT_EQ(w.Focus(), nullptr);
  names.SetFocus();
  panel.SetValue(1);
  EXPECT_EQ(w.Focus(), nullptr);
  EXPECT_EQ(events, (std::vector<std::string>{"names got", "names lost", "names got", "names lost"}));
}

TEST(GuiWindowTest, ActivationFollowsTheFrontWindow) {
  fw::Window& a = fw::NewWindow<fw::Window>();
  fw::Window& b = fw::NewWindow<fw::Window>();
  std::vector<std::string> events;
  a.Activate = [&] { events.push_back("a on"); };
  a.Deactivate = [&] { events.push_back("a off"); };
  b.Activate = [&] { events.push_back("b on"); };
  b.Deactivate = [&] { events.push_back("b off"); };
  EXPECT_TRUE(b.IsActive());
  a.Show();
  b.Show();
  b.Show();
  fw::TestHooks::ProcessEvents();
  EXPECT_EQ(events, (std::vector<std::string>{"b off", "a on", "a off", "b on"}));
  EXPECT_EQ(fw::FrontWindow(), &b);
  b.CloseNow();
  EXPECT_EQ(fw::FrontWindow(), &a);
  EXPECT_TRUE(a.IsActive());
}

TEST(GuiWindowTest, ModifierKeysFollowTheEventOrTheTestsOverride) {
  fw::Window& w = fw::NewWindow<fw::Window>();
  auto& panel = w.Add<fw::TabPanel>("TabPanel1");
  panel.SetBounds(0, 0, 300, 200);
  panel.AppendTab("Names");
  panel.AppendTab("Data");
  bool optionInChange = false;
  panel.Change = [&] { optionInChange = fw::Keyboard::OptionKey(); };
  fw::TestHooks::ClickTab(panel, 1, "alt");
  EXPECT_EQ(panel.Value(), 1);
  EXPECT_TRUE(optionInChange);
  EXPECT_FALSE(fw::Keyboard::OptionKey());
  fw::TestHooks::SetModifierKeys(true, true, false);
  EXPECT_TRUE(fw::Keyboard::OptionKey());
  EXPECT_TRUE(fw::Keyboard::ShiftKey());
  EXPECT_FALSE(fw::Keyboard::ControlKey());
  fw::TestHooks::ClearModifierKeys();
  EXPECT_FALSE(fw::Keyboard::ShiftKey());
}

TEST(GuiWindowTest, BeepsAreCounted) {
  fw::Beep();
  fw::Beep();
  EXPECT_EQ(fw::TestHooks::BeepCount(), 2);
}

TEST(GuiWindowTest, TheBackgroundTaskRunsTimersAtMostEvery50Milliseconds) {
  const auto loopPasses = [](int n) {
    for (int i = 0; i < n; ++i) fw::RuntimeBackgroundTask();
  };
  int fired = 0;
  QThread::msleep(60);
  QTimer::singleShot(0, [&] { ++fired; });
  loopPasses(1000);
  EXPECT_EQ(fired, 1);
  QTimer::singleShot(0, [&] { ++fired; });
  loopPasses(1000);
  EXPECT_EQ(fired, 1);
  QThread::msleep(60);
  loopPasses(1000);
  EXPECT_EQ(fired, 2);
}

TEST(GuiWindowTest, ALongEvaluationLetsAQueuedTimerFire) {
  // Every program item is one pass of the background task: the timer fires within the evaluations.
  Evaluator e;
  e.DefineVariable("x");
  ASSERT_TRUE(e.CompiledOK("x*2+1"));
  bool fired = false;
  QThread::msleep(60);
  QTimer::singleShot(0, [&] { fired = true; });
  int evaluations = 0;
  while (!fired && evaluations < 1000) {
    e.VarValue[1] = evaluations++;
    ASSERT_TRUE(e.EvaluatedOK());
  }
  EXPECT_TRUE(fired);
  EXPECT_LE(evaluations, 26);
}

TEST(GuiWindowTest, RunOpensANewDocumentAndEndsWithTheLastDocumentWindow) {
  fw::Application app;
  int newDocuments = 0;
  app.NewDocument = [&] {
    ++newDocuments;
    fw::Window& w = fw::NewWindow<fw::Window>();
    QTimer::singleShot(0, [&w] { w.CloseNow(); });
  };
  EXPECT_EQ(app.Run(), 0);
  EXPECT_EQ(newDocuments, 1);
  EXPECT_FALSE(app.Running());
}

TEST(GuiWindowTest, CanvasPaintsItsSurfaceAndTracksAClaimedPress) {
  fw::Window& w = fw::NewWindow<fw::Window>();
  auto& canvas = w.Add<fw::Canvas>("Canvas1");
  canvas.SetBounds(20, 13, 32, 32);
  int paints = 0;
  canvas.Paint = [&](fw::Graphics& g) {
    ++paints;
    g.ForeColor = fw::RGB(255, 0, 0);
    g.FillRect(0, 0, 4, 4);
  };
  canvas.Refresh();
  EXPECT_EQ(paints, 1);
  std::vector<std::string> mouse;
  canvas.MouseDown = [&](int x, int y) {
    mouse.push_back("down " + std::to_string(x) + "," + std::to_string(y));
    return true;
  };
  canvas.MouseUp = [&](int x, int y) { mouse.push_back("up " + std::to_string(x) + "," + std::to_string(y)); };
  fw::TestHooks::ClickAt(canvas, 5, 6);
  EXPECT_EQ(mouse, (std::vector<std::string>{"down 5,6", "up 5,6"}));
  const std::string path = testing::TempDir() + "canvas_window.png";
  ASSERT_TRUE(fw::TestHooks::SaveScreenshot(w, path));
  QImage shot(QString::fromStdString(path));
  ASSERT_FALSE(shot.isNull());
  const int menuHeight = shot.height() - w.Height();
  EXPECT_EQ(shot.pixelColor(20 + 1, menuHeight + 13 + 1), QColor(255, 0, 0));
  EXPECT_EQ(shot.pixelColor(20 + 5, menuHeight + 13 + 5), QColor(255, 255, 255));
  std::remove(path.c_str());
}

TEST(GuiWindowTest, ActivatingANewWindowGivesNoControlTheFocus) {
  fw::Window& w = fw::NewWindow<fw::Window>();
  auto& field = w.Add<fw::EditField>("EFNames");
  int got = 0;
  field.GotFocus = [&] { ++got; };
  w.Show();
  fw::TestHooks::ProcessEvents();
  EXPECT_EQ(w.Focus(), nullptr);
  EXPECT_EQ(got, 0);
}

TEST(GuiWindowTest, ACloseRequestWhileALongLoopLetsEventsRunIsRefused) {
  fw::Window& w = fw::NewWindow<fw::Window>();
  int asked = 0;
  w.CancelClose = [&](bool) {
    ++asked;
    return false;
  };
  auto& button = w.Add<fw::PushButton>("PBFit");
  bool timerRan = false;
  button.Action = [&] {
    QTimer::singleShot(0, [&] {
      timerRan = true;
      fw::TestHooks::ClickCloseBox(w);
    });
    QThread::msleep(60);
    for (int i = 0; i < 1000; ++i) fw::RuntimeBackgroundTask();
  };
  button.Push();
  EXPECT_TRUE(timerRan);
  EXPECT_EQ(asked, 0);
  EXPECT_FALSE(w.IsClosed());
  fw::TestHooks::ClickCloseBox(w);
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(w.IsClosed());
}

TEST(GuiWindowTest, ACloseRequestAfterANestedLongLoopIsStillRefused) {
  fw::Window& w = fw::NewWindow<fw::Window>();
  int asked = 0;
  w.CancelClose = [&](bool) {
    ++asked;
    return false;
  };
  bool timerRan = false;
  QTimer::singleShot(0, [&] {
    timerRan = true;
    QThread::msleep(60);
    for (int i = 0; i < 1000; ++i) fw::RuntimeBackgroundTask();
    fw::TestHooks::ClickCloseBox(w);
  });
  QThread::msleep(60);
  for (int i = 0; i < 1000; ++i) fw::RuntimeBackgroundTask();
  EXPECT_TRUE(timerRan);
  EXPECT_EQ(asked, 0);
  EXPECT_FALSE(w.IsClosed());
}

TEST(GuiWindowTest, AnotherWindowCanBeClosedWhileADialogIsShownOverTheFirst) {
  fw::Window& first = fw::NewWindow<fw::Window>();
  fw::Window& second = fw::NewWindow<fw::Window>();
  fw::Window& sheet = fw::NewWindow<fw::Window>(fw::Window::SheetFrame);
  auto& ok = sheet.Add<fw::PushButton>("PBOK");
  ok.Action = [&] { sheet.Hide(); };
  fw::TestHooks::AnswerNextDialog([&](fw::Window& d) {
    fw::TestHooks::ClickCloseBox(second);
    d.Get<fw::PushButton>("PBOK").Push();
  });
  sheet.ShowModalWithin(first);
  EXPECT_TRUE(second.IsClosed());
  EXPECT_FALSE(first.IsClosed());
}

TEST(GuiWindowTest, AGotFocusHandlerCanSendTheFocusOn) {
  fw::Window& w = fw::NewWindow<fw::Window>();
  auto& log = w.Add<fw::EditField>("EFErrorLog");
  log.SetMultiLine(true);
  log.SetReadOnly(true);
  log.SetBounds(20, 100, 200, 60);
  auto& expression = w.Add<fw::EditField>("EFExpression");
  expression.SetBounds(20, 20, 200, 22);
  std::vector<std::string> events;
  log.GotFocus = [&] {
    events.push_back("log got");
    expression.SetFocus();
  };
  log.LostFocus = [&] { events.push_back("log lost"); };
  expression.GotFocus = [&] { events.push_back("expression got"); };
  log.SetFocus();
  EXPECT_EQ(w.Focus(), &expression);
  fw::TestHooks::ProcessEvents();
  fw::TestHooks::Click(log);
  fw::TestHooks::ProcessEvents();
  EXPECT_EQ(w.Focus(), &expression);
  EXPECT_TRUE(expression.Widget()->hasFocus() || w.Widget()->focusWidget() == expression.Widget());
  EXPECT_EQ(events, (std::vector<std::string>{"log got", "log lost", "expression got", "log got", "log lost",
                                              "expression got"}));
}
