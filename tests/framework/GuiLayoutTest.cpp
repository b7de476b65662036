#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <cstdio>
#include <memory>
#include <string>

#include "framework/EditField.h"
#include "framework/GroupBox.h"
#include "framework/HTMLViewer.h"
#include "framework/ImageWell.h"
#include "framework/PopupMenu.h"
#include "framework/PushButton.h"
#include "framework/QtPicture.h"
#include "framework/RadioButton.h"
#include "framework/Slider.h"
#include "framework/StaticText.h"
#include "framework/TabPanel.h"
#include "framework/TestHooks.h"
#include "framework/Window.h"

namespace {

template <class T>
T& Place(fw::Window& w, const std::string& name, int left, int top, int width, int height, fw::Control* in,
         int page = -1) {
  T& c = w.Add<T>(name);
  c.SetBounds(left, top, width, height);
  c.SetEnclosure(in, page);
  return c;
}

}  // namespace

TEST(GuiLayoutTest, CaptionsShowTheirTextLiterally) {
  fw::Window& w = fw::NewWindow<fw::Window>();
  auto& label = w.Add<fw::StaticText>("STLabel", 10);
  label.SetText("Display\r(&& Plot):");
  EXPECT_EQ(label.Text(), "Display\r(&& Plot):");
  EXPECT_EQ(static_cast<QLabel*>(label.Widget())->text(), "Display\n(& Plot):");
  auto& rich = w.Add<fw::StaticText>("STLabel", 11);
  rich.SetText("<b>not bold</b>");
  EXPECT_EQ(static_cast<QLabel*>(rich.Widget())->textFormat(), Qt::PlainText);
  auto& welcome = w.Add<fw::StaticText>("STLabel", 7);
  welcome.SetBounds(285, 87, 60, 20);
  welcome.SetText("Welcome to Gradix 2.0");
  welcome.SetTextAlign(1);
  EXPECT_EQ(welcome.Width(), 60);
  const QRect shown = welcome.Widget()->geometry();
  EXPECT_GE(shown.width(), welcome.Widget()->sizeHint().width());
  EXPECT_NEAR(shown.center().x(), 285 + 30, 1);  // a centred caption grows both ways
  auto& button = w.Add<fw::PushButton>("PB");
  button.SetCaption("Save & Close");
  EXPECT_EQ(static_cast<QPushButton*>(button.Widget())->text(), "Save && Close");
}

TEST(GuiLayoutTest, HtmlViewerAndImageWellShowTheirContent) {
  fw::Window& w = fw::NewWindow<fw::Window>();
  auto& viewer = w.Add<fw::HTMLViewer>("HTMLViewer1");
  viewer.LoadPage("<h1>About</h1><p>Physics lab data</p>");
  EXPECT_EQ(viewer.PlainText(), "About\nPhysics lab data");
  auto& well = w.Add<fw::ImageWell>("ImageWell1");
  well.SetBounds(172, 666, 215, 38);
  auto logo = std::make_shared<fw::QtPicture>(20, 10, 32);
  logo->Image().fill(Qt::blue);
  well.SetImage(logo);
  auto* label = static_cast<QLabel*>(well.Widget());
  EXPECT_EQ(label->pixmap().size(), QSize(20, 10));
  well.SetImage(nullptr);
  EXPECT_TRUE(label->pixmap().isNull());
}

TEST(GuiLayoutTest, StaticTextColourAndPicturePixelsForTests) {
  fw::Window& w = fw::NewWindow<fw::Window>();
  auto& error = w.Add<fw::StaticText>("STError");
  error.SetTextColor(fw::RGB(255, 0, 0));
  EXPECT_EQ(error.Widget()->palette().color(QPalette::WindowText), QColor(255, 0, 0));
  EXPECT_EQ(error.TextColor(), fw::RGB(255, 0, 0));

  w.SetBackColor(fw::RGB(255, 255, 255));
  EXPECT_TRUE(w.HasBackColor());
  EXPECT_EQ(w.Content()->palette().color(QPalette::Window), QColor(255, 255, 255));
  EXPECT_TRUE(w.Content()->autoFillBackground());

  fw::QtPicture picture(4, 3, 32);
  picture.Image().setPixelColor(2, 1, QColor(10, 20, 30));
  EXPECT_EQ(fw::TestHooks::PicturePixel(picture, 2, 1), fw::RGB(10, 20, 30));
  EXPECT_EQ(fw::TestHooks::PicturePixel(picture, 0, 0), fw::RGB(255, 255, 255));
  EXPECT_EQ(fw::TestHooks::PicturePixel(picture, 9, 9), fw::RGB(0, 0, 0));
  const std::string path = testing::TempDir() + "picture_pixels.png";
  ASSERT_TRUE(fw::TestHooks::SavePicture(picture, path));
  EXPECT_EQ(QImage(QString::fromStdString(path)).size(), QSize(4, 3));
  std::remove(path.c_str());
}

TEST(GuiLayoutTest, AThreePageWindowRendersItsPagesToPng) {
  fw::Window& w = fw::NewWindow<fw::Window>();
  w.SetSize(744, 684);
  auto& panel = Place<fw::TabPanel>(w, "TabPanel1", 17, 17, 710, 650, nullptr);
  for (const char* tab : {"Names", "Data", "Graph"}) panel.AppendTab(tab);
  auto& welcome = Place<fw::StaticText>(w, "STLabel", 285, 87, 174, 20, &panel, 0);
  welcome.SetText("Welcome to Gradix 2.0");
  welcome.SetTextSize(14);
  welcome.SetBold(true);
  Place<fw::StaticText>(w, "STLabel", 232, 174, 99, 20, &panel, 0).SetText("Your name(s):");
  Place<fw::EditField>(w, "EFNames", 232, 197, 275, 23, &panel, 0);
  auto& group = Place<fw::GroupBox>(w, "GBLabel", 232, 240, 275, 55, &panel, 0);
  group.SetCaption("Basic Horizontal Variable");
  Place<fw::StaticText>(w, "STLabel", 248, 263, 39, 20, &group).SetText("Name:");
  Place<fw::EditField>(w, "EFHName", 299, 262, 68, 21, &group);
  auto& enter = Place<fw::PushButton>(w, "PBEnter", 273, 476, 198, 26, &panel, 0);
  enter.SetCaption("Enter");
  enter.SetDefault(true);
  auto& gbh = Place<fw::GroupBox>(w, "GBH", 35, 53, 269, 135, &panel, 1);
  gbh.SetCaption("Horizontal Variable");
  Place<fw::RadioButton>(w, "RBHEntered", 107, 110, 181, 20, &gbh).SetCaption("Data as originally entered");
  auto& format = Place<fw::PopupMenu>(w, "PUHFormat", 143, 77, 145, 21, &gbh);
  for (const char* row : {"Integer", "n.n", "n.nn (Fixed 2DP)"}) format.AddRow(row);
  format.SetListIndex(2);
  auto& slider = Place<fw::Slider>(w, "SDDatGrfd", 580, 129, 131, 16, &panel, 2);
  slider.SetMinimum(1);
  slider.SetMaximum(100);
  for (int page = 0; page < 3; ++page) {
    panel.SetValue(page);
    const std::string path = testing::TempDir() + "layout_page" + std::to_string(page) + ".png";
    ASSERT_TRUE(fw::TestHooks::SaveScreenshot(w, path));
    QImage shot(QString::fromStdString(path));
    EXPECT_GE(shot.width(), 744);
    EXPECT_GE(shot.height(), 684);
  }
  EXPECT_FALSE(enter.IsShown());
  EXPECT_TRUE(slider.IsShown());
}
