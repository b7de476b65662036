#include "graph/SSRect.h"

#include <gtest/gtest.h>

#include <memory>

#include "framework/Window.h"
#include "graph/GraphError.h"
#include "graph/TestGraphics.h"
#include "window/MainWndo.h"

namespace {

// The team box as laid out (309 x 53 at 121, 109), opened, then drawing into a
// recording picture of the same size.
class BoxTest : public ::testing::Test {
 protected:
  BoxTest() : box(window.Add<SSRect>("SSTeam")) {
    box.Open = [this] { ++opened; };
    box.SetBounds(121, 109, 309, 53);
    box.Event_Open();
    picture = std::make_shared<TestPicture>(309, 53);
    box.GXP = picture;
    box.GX = &picture->g;
  }

  TestGraphics& g() { return picture->g; }

  fw::Window window;
  SSRect& box;
  std::shared_ptr<TestPicture> picture;
  int opened = 0;
};

TEST_F(BoxTest, OpensWithItsOwnDefaults) {
  fw::Window other;
  SSRect& fresh = other.Add<SSRect>("SSFitInfo");
  fresh.SetBounds(206, 541, 325, 78);
  fresh.ShowFrame = false;
  fresh.Printing = true;
  fresh.CWhite = fw::RGB(1, 1, 1);
  fresh.Event_Open();
  ASSERT_TRUE(fresh.GXP);
  EXPECT_EQ(fresh.GXP->Width(), 325);
  EXPECT_EQ(fresh.GXP->Height(), 78);
  EXPECT_EQ(fresh.GXP->Depth(), 32);
  EXPECT_TRUE(fresh.ShowFrame);
  EXPECT_FALSE(fresh.Printing);
  EXPECT_EQ(fresh.CWhite, fw::RGB(255, 255, 255));
  EXPECT_EQ(fresh.GX->TextFont, "System");
  EXPECT_EQ(fresh.GX->TextSize, 12);
  EXPECT_EQ(fresh.GX->ForeColor, fw::RGB(0, 0, 0));
  EXPECT_FALSE(fresh.HaveData);
  EXPECT_EQ(opened, 1);
}

TEST_F(BoxTest, SizesItselfToOneLine) {
  box.SetText("abc");
  EXPECT_EQ(box.theString, "@System@#12#abc");
  EXPECT_TRUE(box.HaveData);
  EXPECT_EQ(box.NumLines, 1);
  EXPECT_EQ(box.LineHeight, 15);
  EXPECT_EQ(box.MaxLW, 18);
  EXPECT_EQ(box.LineWidth, std::vector<std::int32_t>{18});
  EXPECT_EQ(box.Width(), 38);
  EXPECT_EQ(box.Height(), 25);
  EXPECT_EQ(box.Left(), 121);
  EXPECT_EQ(box.Top(), 109);
  ASSERT_EQ(g().ops.size(), 3u);
  EXPECT_EQ(g().ops[0].kind, "fillrect");  // the whole picture first
  EXPECT_EQ(g().ops[0].w, 309);
  EXPECT_EQ(g().ops[0].h, 53);
  EXPECT_EQ(g().ops[0].color, fw::RGB(255, 255, 255));
  EXPECT_EQ(g().ops[1].kind, "rect");  // the frame at the new size
  EXPECT_EQ(g().ops[1].w, 38);
  EXPECT_EQ(g().ops[1].h, 25);
  EXPECT_EQ(g().ops[1].color, fw::RGB(0, 0, 0));
  EXPECT_EQ(g().ops[2].text, "abc");
  EXPECT_EQ(g().ops[2].x, 10);
  EXPECT_EQ(g().ops[2].y, 15);  // baseline at the line height
}

TEST_F(BoxTest, TeamTextOnTwoLines) {
  box.SetText("!Data taken by:!|Ficticious Team &#5");
  EXPECT_EQ(box.NumLines, 2);
  EXPECT_EQ(box.LineWidth, (std::vector<std::int32_t>{98, 108}));
  EXPECT_EQ(box.GetSSHeight("anything"), 30);
  EXPECT_EQ(box.GetSSWidth(""), 108);
  EXPECT_EQ(box.Width(), 128);
  EXPECT_EQ(box.Height(), 40);
  const auto t = g().Of("text");
  ASSERT_EQ(t.size(), 3u);
  EXPECT_EQ(t[0].text, "Data taken by:");
  EXPECT_TRUE(t[0].bold);
  EXPECT_EQ(t[0].y, 15);
  EXPECT_EQ(t[1].text, "Ficticious Team ");
  EXPECT_EQ(t[1].x, 10);
  EXPECT_EQ(t[1].y, 30);
  EXPECT_EQ(t[2].text, "#5");
  EXPECT_FALSE(g().Bold);
}

TEST_F(BoxTest, NeverLargerThanItsPicture) {
  box.SetText(std::string(60, 'w') + "|b|c|d|e");
  EXPECT_EQ(box.Width(), 309);
  EXPECT_EQ(box.Height(), 53);
  box.SetText("ab");
  EXPECT_EQ(box.Width(), 32);
  EXPECT_EQ(box.Height(), 25);
}

TEST_F(BoxTest, EmptyTextKeepsTheLastLayout) {
  box.SetText("");
  EXPECT_FALSE(box.HaveData);
  EXPECT_EQ(box.Width(), 20);
  EXPECT_EQ(box.Height(), 10);
  EXPECT_TRUE(g().Of("text").empty());
  box.SetText("abc");
  box.SetText("");
  EXPECT_EQ(box.Width(), 38);
  EXPECT_EQ(box.Height(), 25);
  EXPECT_EQ(box.MaxLW, 18);
  EXPECT_EQ(box.theString, "");
}

TEST_F(BoxTest, LayoutOperationsUseTheFields) {
  EXPECT_EQ(box.GetSSHeight("abc"), 0);
  EXPECT_EQ(box.SetSSLineH("x", 20), "x");
  box.SetSString("a|b");
  EXPECT_EQ(box.GetSSHeight(""), 30);
  box.SetSSLineH("", 20);
  EXPECT_EQ(box.GetSSHeight(""), 40);
  // drawn from the fields whatever the string: line 2 is 20 below line 1
  box.DrawSString("@System@#12#a|b", 100, 50, 8);
  const auto t = g().Of("text");
  ASSERT_EQ(t.size(), 2u);
  EXPECT_EQ(t[0].x, 97);
  EXPECT_EQ(t[0].y, 68);
  EXPECT_EQ(t[1].y, 88);

  g().TextFont = "Helvetica";
  g().Italic = true;
  box.SetSString("!\\$x^2@Times@");
  box.DrawSString("!\\$x^2@Times@", 0, 0, 0);
  EXPECT_EQ(g().TextFont, "Helvetica");
  EXPECT_TRUE(g().Italic);
  EXPECT_FALSE(g().Bold);
  EXPECT_EQ(g().TextSize, 12);
}

TEST_F(BoxTest, NoSurfaceBeforeOpen) {
  fw::Window other;
  SSRect& closed = other.Add<SSRect>("SSFitInfo");
  try {
    closed.SetText("abc");
    FAIL() << "no error";
  } catch (const GraphError& e) {
    EXPECT_EQ(e.msg, "DrawSString: Graphics target undefined.");
  }
  EXPECT_FALSE(closed.HaveData);
  EXPECT_THROW(closed.SetSString("a"), GraphError);
  EXPECT_EQ(closed.SetSString(""), "");
  TestGraphics screen;
  closed.Event_Paint(screen);
  EXPECT_TRUE(screen.ops.empty());
}

TEST_F(BoxTest, DraggedWithoutAnOwnerStaysPut) {
  box.PressMouse(5, 5);
  box.DragMouse(15, 25);
  EXPECT_EQ(box.Left(), 121);
  EXPECT_EQ(box.Top(), 109);
}

TEST(BoxInWindowTest, DragMovesTheBoxAndMarksTheDocument) {
  auto& wnd = fw::NewWindow<MainWndo>();
  SSRect& team = *wnd.SSTeam;
  ASSERT_EQ(team.Owner, &wnd);
  wnd.Dirty = false;
  const int left = team.Left(), top = team.Top();
  team.PressMouse(5, 5);
  team.DragMouse(15, 2);
  EXPECT_EQ(team.Left(), left + 10);
  EXPECT_EQ(team.Top(), top - 3);
  EXPECT_TRUE(wnd.Dirty);
  // the press point stays valid for the whole drag, and going back leaves the mark
  team.DragMouse(-5, 8);
  EXPECT_EQ(team.Left(), left);
  EXPECT_EQ(team.Top(), top);
  EXPECT_TRUE(wnd.Dirty);
  team.ReleaseMouse(5, 5);
  team.DragMouse(50, 50);  // no press: no drag
  EXPECT_EQ(team.Left(), left);
  wnd.CloseNow();
}

}  // namespace
