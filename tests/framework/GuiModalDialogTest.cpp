#include <gtest/gtest.h>

#include <QWidget>

#include <string>
#include <vector>

#include "framework/EditField.h"
#include "framework/PushButton.h"
#include "framework/StaticText.h"
#include "framework/TestHooks.h"
#include "framework/Window.h"

namespace {

// A dialog as the application builds one: a sheet whose buttons hide it.
class AskSheet : public fw::Window {
 public:
  AskSheet() : fw::Window(fw::Window::SheetFrame) {
    SetSize(383, 98);
    auto& text = Add<fw::StaticText>("StaticText1");
    text.SetBounds(69, 12, 300, 35);
    auto& ok = Add<fw::PushButton>("PBOK");
    ok.SetBounds(136, 58, 110, 20);
    ok.SetCaption("OK");
    ok.SetDefault(true);
    ok.Action = [this] {
      Answer = "OK";
      Hide();
    };
    auto& cancel = Add<fw::PushButton>("PBCancel");
    cancel.SetCaption("Cancel");
    cancel.SetCancel(true);
    cancel.Action = [this] {
      Answer = "Cancel";
      Hide();
    };
    auto& field = Add<fw::EditField>("EFValue");
    field.SetBounds(10, 60, 100, 22);
    Activate = [this] { ++Activations; };
  }
  std::string Answer;
  int Activations = 0;
};

class OtherSheet : public fw::Window {
 public:
  OtherSheet() : fw::Window(fw::Window::SheetFrame) {
    auto& done = Add<fw::PushButton>("PBDone");
    done.Action = [this] { Hide(); };
  }
};

struct Owner {
  fw::Window& window = fw::NewWindow<fw::Window>();
  int activations = 0;
  int deactivations = 0;
  Owner() {
    window.SetTitle("Untitled");
    window.Activate = [this] { ++activations; };
    window.Deactivate = [this] { ++deactivations; };
  }
};

}  // namespace

TEST(GuiModalDialogTest, ShowModalWithinReturnsWhenTheDialogHidesItself) {
  Owner owner;
  AskSheet& sheet = fw::SharedWindow<AskSheet>();
  EXPECT_FALSE(sheet.Visible());
  bool shownInside = false;
  fw::TestHooks::AnswerNextDialog([&](fw::Window& dialog) {
    shownInside = dialog.Visible() && dialog.InModalShowing() && &dialog == &sheet;
    auto& field = dialog.Get<fw::EditField>("EFValue");
    fw::TestHooks::TypeText(field, "2.5");
    fw::TestHooks::Click(dialog.Get<fw::PushButton>("PBOK"));
  });
  sheet.ShowModalWithin(owner.window);
  EXPECT_TRUE(shownInside);
  EXPECT_EQ(sheet.Answer, "OK");
  EXPECT_EQ(sheet.Get<fw::EditField>("EFValue").Text(), "2.5");
  EXPECT_FALSE(sheet.Visible());
  EXPECT_EQ(fw::TestHooks::UnansweredDialogs(), 0);
  EXPECT_EQ(fw::TestHooks::DialogsShown(), 1);
  // The same instance comes back with its contents.
  EXPECT_EQ(&fw::SharedWindow<AskSheet>(), &sheet);
}

TEST(GuiModalDialogTest, ReturnPressesTheDefaultButtonEscapeAndTheCloseBoxTheCancelButton) {
  Owner owner;
  AskSheet& sheet = fw::SharedWindow<AskSheet>();
  fw::TestHooks::AnswerNextDialog([](fw::Window& d) { fw::TestHooks::PressKey(d.Get<fw::EditField>("EFValue"), "Return"); });
  fw::TestHooks::AnswerNextDialog([](fw::Window& d) { fw::TestHooks::PressKey(d.Get<fw::EditField>("EFValue"), "Escape"); });
  fw::TestHooks::AnswerNextDialog([](fw::Window& d) { fw::TestHooks::ClickCloseBox(d); });
  std::vector<std::string> answers;
  for (int i = 0; i < 3; ++i) {
    sheet.Answer.clear();
    sheet.ShowModalWithin(owner.window);
    answers.push_back(sheet.Answer);
  }
  EXPECT_EQ(answers, (std::vector<std::string>{"OK", "Cancel", "Cancel"}));
  EXPECT_FALSE(sheet.IsClosed());
}

TEST(GuiModalDialogTest, EscapePassesAFieldWhoseKeyHandlerRefusesEveryKey) {
  Owner owner;
  AskSheet& sheet = fw::SharedWindow<AskSheet>();
  auto& field = sheet.Get<fw::EditField>("EFValue");
  field.SetText("");
  std::vector<std::string> keys;
  field.KeyDown = [&keys](const std::string& key) {
    keys.push_back(key);
    return true;
  };
  fw::TestHooks::AnswerNextDialog([&field](fw::Window&) {
    fw::TestHooks::TypeText(field, "7");
    fw::TestHooks::PressKey(field, "Escape");
  });
  sheet.Answer.clear();
  sheet.ShowModalWithin(owner.window);
  field.KeyDown = nullptr;
  EXPECT_EQ(sheet.Answer, "Cancel");
  EXPECT_EQ(keys, std::vector<std::string>{"7"});
  EXPECT_EQ(field.Text(), "");
  EXPECT_EQ(fw::TestHooks::UnansweredDialogs(), 0);
}

TEST(GuiModalDialogTest, TheOwnersDialogRaisesNoActivateOrDeactivateOnItButItsOwnActivateEachShowing) {
  Owner owner;
  owner.window.Show();
  ASSERT_TRUE(owner.window.IsActive());
  const int activationsBefore = owner.activations;
  AskSheet& sheet = fw::SharedWindow<AskSheet>();
  for (int i = 0; i < 2; ++i) {
    fw::TestHooks::AnswerNextDialog([](fw::Window& d) { d.Get<fw::PushButton>("PBOK").Push(); });
    sheet.ShowModalWithin(owner.window);
  }
  fw::TestHooks::ProcessEvents();
  EXPECT_EQ(owner.activations, activationsBefore);
  EXPECT_EQ(owner.deactivations, 0);
  EXPECT_EQ(sheet.Activations, 2);
  EXPECT_EQ(fw::FrontWindow(), &owner.window);
}

TEST(GuiModalDialogTest, AnUntitledSheetShowsItsDocumentsTitleATitledSheetItsOwn) {
  Owner owner;
  owner.window.SetTitle("run1.gdx");
  AskSheet& outer = fw::SharedWindow<AskSheet>();
  std::vector<std::string> shown;
  fw::TestHooks::AnswerNextDialog([&](fw::Window& dialog) {
    shown.push_back(dialog.ShownTitle());
    fw::TestHooks::AnswerNextDialog([&](fw::Window& inner) {
      shown.push_back(inner.ShownTitle());
      inner.Get<fw::PushButton>("PBDone").Push();
    });
    fw::SharedWindow<OtherSheet>().ShowModalWithin(dialog);
    dialog.Get<fw::PushButton>("PBOK").Push();
  });
  outer.ShowModalWithin(owner.window);
  outer.SetTitle("Pick a value");
  fw::TestHooks::AnswerNextDialog([&](fw::Window& dialog) {
    shown.push_back(dialog.ShownTitle());
    dialog.Get<fw::PushButton>("PBOK").Push();
  });
  outer.ShowModalWithin(owner.window);
  EXPECT_EQ(shown, (std::vector<std::string>{"run1.gdx", "run1.gdx", "Pick a value"}));
  EXPECT_EQ(owner.window.ShownTitle(), "run1.gdx");
  EXPECT_EQ(fw::SharedWindow<OtherSheet>().Title(), "Untitled");
}

TEST(GuiModalDialogTest, AnUnansweredDialogIsCancelledInsteadOfHanging) {
  Owner owner;
  AskSheet& sheet = fw::SharedWindow<AskSheet>();
  sheet.ShowModalWithin(owner.window);
  EXPECT_EQ(sheet.Answer, "Cancel");
  fw::TestHooks::AnswerNextDialog([](fw::Window&) {});
  sheet.ShowModalWithin(owner.window);
  EXPECT_EQ(fw::TestHooks::UnansweredDialogs(), 2);
}

TEST(GuiModalDialogTest, ADialogShownWithinADialogReturnsToIt) {
  Owner owner;
  AskSheet& outer = fw::SharedWindow<AskSheet>();
  std::vector<std::string> steps;
  fw::TestHooks::AnswerNextDialog([&](fw::Window& dialog) {
    OtherSheet& inner = fw::SharedWindow<OtherSheet>();
    fw::TestHooks::AnswerNextDialog([&](fw::Window& d) {
      steps.push_back("inner");
      d.Get<fw::PushButton>("PBDone").Push();
    });
    inner.ShowModalWithin(dialog);
    steps.push_back(dialog.Visible() ? "outer still shown" : "outer gone");
    dialog.Get<fw::PushButton>("PBOK").Push();
  });
  outer.ShowModalWithin(owner.window);
  EXPECT_EQ(steps, (std::vector<std::string>{"inner", "outer still shown"}));
  EXPECT_EQ(outer.Answer, "OK");
  EXPECT_EQ(outer.Activations, 1);
}

TEST(GuiModalDialogTest, ASharedDialogBusyForOneWindowIsNotLostForAnother) {
  Owner first;
  Owner second;
  AskSheet& sheet = fw::SharedWindow<AskSheet>();
  sheet.Get<fw::StaticText>("StaticText1").SetText("first message");
  std::string secondText;
  fw::TestHooks::AnswerNextDialog([&](fw::Window& shown) {
    // While the first showing is up, another window asks for the same dialog.
    AskSheet& other = fw::SharedWindow<AskSheet>();
    EXPECT_NE(&other, &shown);
    other.Get<fw::StaticText>("StaticText1").SetText("second message");
    fw::TestHooks::AnswerNextDialog([&](fw::Window& d) {
      secondText = d.Get<fw::StaticText>("StaticText1").Text();
      d.Get<fw::PushButton>("PBOK").Push();
    });
    other.ShowModalWithin(second.window);
    EXPECT_EQ(shown.Get<fw::StaticText>("StaticText1").Text(), "first message");
    shown.Get<fw::PushButton>("PBOK").Push();
  });
  sheet.ShowModalWithin(first.window);
  EXPECT_EQ(secondText, "second message");
  EXPECT_EQ(fw::TestHooks::DialogsShown(), 2);
  EXPECT_EQ(fw::TestHooks::UnansweredDialogs(), 0);
}

TEST(GuiModalDialogTest, FocusInsideAShownDialogRaisesGotFocusAndStays) {
  Owner owner;
  AskSheet& sheet = fw::SharedWindow<AskSheet>();
  auto& field = sheet.Get<fw::EditField>("EFValue");
  auto& other = sheet.Add<fw::EditField>("EFUnc");
  std::vector<std::string> events;
  field.GotFocus = [&] { events.push_back("value got"); };
  field.LostFocus = [&] { events.push_back("value lost"); };
  other.GotFocus = [&] { events.push_back("unc got"); };
  sheet.Activate = [&] { field.SetFocus(); };
  bool stillFocused = false;
  fw::TestHooks::AnswerNextDialog([&](fw::Window& d) {
    fw::TestHooks::ProcessEvents();
    stillFocused = field.HasFocus() && d.Focus() == &field;
    fw::TestHooks::Click(other);
    d.Get<fw::PushButton>("PBOK").Push();
  });
  sheet.ShowModalWithin(owner.window);
  EXPECT_TRUE(stillFocused);
  EXPECT_EQ(events, (std::vector<std::string>{"value got", "value lost", "unc got"}));
}

TEST(GuiModalDialogTest, AfterTheDialogTheOwnerStaysInFrontOfOtherWindows) {
  Owner other;
  Owner owner;
  other.window.Show();
  owner.window.Show();
  fw::TestHooks::ProcessEvents();
  const int ownerDeactivations = owner.deactivations;
  AskSheet& sheet = fw::SharedWindow<AskSheet>();
  fw::TestHooks::AnswerNextDialog([](fw::Window& d) {
    fw::TestHooks::ProcessEvents();
    d.Get<fw::PushButton>("PBOK").Push();
  });
  sheet.ShowModalWithin(owner.window);
  fw::TestHooks::ProcessEvents();
  EXPECT_EQ(fw::FrontWindow(), &owner.window);
  EXPECT_EQ(owner.deactivations, ownerDeactivations);
  EXPECT_TRUE(owner.window.IsActive());
  EXPECT_FALSE(other.window.IsActive());
}

TEST(GuiModalDialogTest, ShowingADialogAgainWhileItIsShownDoesNotHang) {
  Owner first;
  Owner second;
  AskSheet& sheet = fw::SharedWindow<AskSheet>();
  std::vector<std::string> steps;
  fw::TestHooks::AnswerNextDialog([&](fw::Window& d) {
    fw::TestHooks::AnswerNextDialog([&](fw::Window& again) {
      steps.push_back(again.ModalParent() == &second.window ? "second showing" : "wrong parent");
      again.Get<fw::PushButton>("PBOK").Push();
    });
    d.ShowModalWithin(second.window);
    steps.push_back("back in first");
  });
  sheet.ShowModalWithin(first.window);
  EXPECT_EQ(steps, (std::vector<std::string>{"second showing", "back in first"}));
  EXPECT_FALSE(sheet.Visible());
  EXPECT_EQ(fw::TestHooks::UnansweredDialogs(), 1);
}

TEST(GuiModalDialogTest, ADialogClosedWhileShownEndsItsShowingSafely) {
  Owner owner;
  fw::Window& sheet = fw::NewWindow<fw::Window>(fw::Window::SheetFrame);
  fw::TestHooks::AnswerNextDialog([](fw::Window& d) {
    d.CloseNow();
    fw::TestHooks::ProcessEvents();
  });
  sheet.ShowModalWithin(owner.window);
  EXPECT_TRUE(sheet.IsClosed());
  EXPECT_FALSE(sheet.Visible());
  EXPECT_EQ(fw::TestHooks::UnansweredDialogs(), 0);
  fw::TestHooks::ProcessEvents();
  EXPECT_TRUE(fw::Windows().size() == 1u && fw::Windows()[0] == &owner.window);
}

TEST(GuiModalDialogTest, TheOwnerIsActiveAgainAfterItsDialog) {
  Owner owner;
  auto& a = owner.window.Add<fw::EditField>("EFHMin");
  auto& b = owner.window.Add<fw::EditField>("EFHMax");
  owner.window.Show();
  fw::TestHooks::ProcessEvents();
  a.SetFocus();
  AskSheet& sheet = fw::SharedWindow<AskSheet>();
  fw::TestHooks::AnswerNextDialog([](fw::Window& d) {
    fw::TestHooks::ProcessEvents();
    d.Get<fw::PushButton>("PBOK").Push();
  });
  sheet.ShowModalWithin(owner.window);
  fw::TestHooks::ProcessEvents();
  EXPECT_TRUE(owner.window.Widget()->isActiveWindow());
  b.SetFocus();
  EXPECT_TRUE(b.Widget()->hasFocus());
  EXPECT_FALSE(a.Widget()->hasFocus());
}

TEST(GuiModalDialogTest, TheDialogIsCentredAtTheTopOfTheCallersContent) {
  Owner owner;
  owner.window.SetSize(710, 673);
  owner.window.Widget()->move(200, 100);
  AskSheet& sheet = fw::SharedWindow<AskSheet>();
  QRect shown;
  int width = 0;
  fw::TestHooks::AnswerNextDialog([&](fw::Window& d) {
    shown = d.Widget()->frameGeometry();
    width = d.Widget()->width();
    d.Get<fw::PushButton>("PBOK").Push();
  });
  sheet.ShowModalWithin(owner.window);
  const QPoint content = owner.window.Content()->mapToGlobal(QPoint(0, 0));
  EXPECT_EQ(width, 383);
  EXPECT_EQ(shown.left(), content.x() + (710 - 383) / 2);
  EXPECT_EQ(shown.top(), content.y());
}
