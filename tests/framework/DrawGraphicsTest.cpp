#include <gtest/gtest.h>

#include <QColor>
#include <QFontInfo>
#include <QImage>
#include <QPainter>

#include "framework/ImageGraphics.h"
#include "framework/QtPicture.h"

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;

struct Box {
  int left = 0, top = 0, right = -1, bottom = -1, count = 0;
  int Width() const { return right - left + 1; }
  int Height() const { return bottom - top + 1; }
};

// The bounding box and number of pixels that are not white.
Box Inked(const QImage& image) {
  Box box{image.width(), image.height(), -1, -1, 0};
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixel(x, y) == kWhite) continue;
      ++box.count;
      box.left = std::min(box.left, x);
      box.top = std::min(box.top, y);
      box.right = std::max(box.right, x);
      box.bottom = std::max(box.bottom, y);
    }
  }
  return box;
}

class DrawGraphicsTest : public ::testing::Test {
 protected:
  fw::QtPicture picture{40, 30, 32};
  fw::Graphics& g = *picture.GetGraphics();
  const QImage& image = picture.Image();
};

TEST_F(DrawGraphicsTest, NewPictureIsWhiteAndRefusesEmptySizes) {
  auto p = fw::NewPicture(7, 5, 32);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->Width(), 7);
  EXPECT_EQ(p->Height(), 5);
  EXPECT_EQ(p->Depth(), 32);
  ASSERT_NE(p->GetGraphics(), nullptr);
  EXPECT_EQ(p->GetGraphics()->Width(), 7);
  EXPECT_EQ(Inked(static_cast<fw::QtPicture&>(*p).Image()).count, 0);
  EXPECT_EQ(fw::NewPicture(0, 5, 32), nullptr);
  EXPECT_EQ(fw::NewPicture(5, -1, 32), nullptr);
}

TEST_F(DrawGraphicsTest, RectanglesCoverExactlyTheirSize) {
  g.FillRect(3, 4, 10, 6);
  Box fill = Inked(image);
  EXPECT_EQ(fill.left, 3);
  EXPECT_EQ(fill.top, 4);
  EXPECT_EQ(fill.Width(), 10);
  EXPECT_EQ(fill.Height(), 6);
  EXPECT_EQ(fill.count, 60);
  EXPECT_EQ(image.pixel(3, 4), kBlack);

  fw::QtPicture outline(40, 30, 32);
  outline.GetGraphics()->DrawRect(3, 4, 10, 6);
  Box frame = Inked(outline.Image());
  EXPECT_EQ(frame.left, 3);
  EXPECT_EQ(frame.top, 4);
  EXPECT_EQ(frame.Width(), 10);
  EXPECT_EQ(frame.Height(), 6);
  EXPECT_EQ(frame.count, 2 * 10 + 2 * 4);
  EXPECT_EQ(outline.Image().pixel(5, 6), kWhite);  // inside stays empty
}

TEST_F(DrawGraphicsTest, EmptyRectanglesDrawNothing) {
  g.FillRect(3, 4, 0, 6);
  g.DrawRect(3, 4, 5, 0);
  g.FillOval(3, 4, -2, 6);
  g.DrawOval(3, 4, 0, 0);
  EXPECT_EQ(Inked(image).count, 0);
}

TEST_F(DrawGraphicsTest, LinesIncludeBothEndPixels) {
  g.DrawLine(2, 5, 8, 5);
  Box h = Inked(image);
  EXPECT_EQ(h.left, 2);
  EXPECT_EQ(h.right, 8);
  EXPECT_EQ(h.count, 7);

  fw::QtPicture vertical(40, 30, 32);
  vertical.GetGraphics()->DrawLine(4, 9, 4, 3);  // drawn upwards
  Box v = Inked(vertical.Image());
  EXPECT_EQ(v.top, 3);
  EXPECT_EQ(v.bottom, 9);
  EXPECT_EQ(v.count, 7);

  fw::QtPicture diagonal(40, 30, 32);
  diagonal.GetGraphics()->DrawLine(1, 1, 6, 6);
  EXPECT_EQ(diagonal.Image().pixel(1, 1), kBlack);
  EXPECT_EQ(diagonal.Image().pixel(6, 6), kBlack);
  EXPECT_EQ(Inked(diagonal.Image()).count, 6);

  fw::QtPicture dot(40, 30, 32);
  dot.GetGraphics()->DrawLine(10, 10, 10, 10);
  EXPECT_EQ(Inked(dot.Image()).count, 1);
  EXPECT_EQ(dot.Image().pixel(10, 10), kBlack);
}

TEST_F(DrawGraphicsTest, LinesAndShapesAreNotAntialiased) {
  g.ForeColor = fw::RGB(200, 0, 0);
  g.DrawLine(0, 0, 37, 13);
  g.FillOval(5, 10, 20, 15);
  g.DrawOval(2, 2, 11, 7);
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      QRgb p = image.pixel(x, y);
      ASSERT_TRUE(p == kWhite || p == qRgb(200, 0, 0)) << x << "," << y;
    }
  }
}

TEST_F(DrawGraphicsTest, OvalsCoverExactlyTheirSize) {
  g.FillOval(5, 6, 20, 12);
  Box fill = Inked(image);
  EXPECT_EQ(fill.left, 5);
  EXPECT_EQ(fill.top, 6);
  EXPECT_EQ(fill.Width(), 20);
  EXPECT_EQ(fill.Height(), 12);
  EXPECT_EQ(image.pixel(15, 12), kBlack);  // centre
  EXPECT_EQ(image.pixel(5, 6), kWhite);    // corner of the bounding box

  fw::QtPicture outline(40, 30, 32);
  outline.GetGraphics()->DrawOval(5, 6, 20, 12);
  Box frame = Inked(outline.Image());
  EXPECT_EQ(frame.left, 5);
  EXPECT_EQ(frame.top, 6);
  EXPECT_EQ(frame.Width(), 20);
  EXPECT_EQ(frame.Height(), 12);
  EXPECT_EQ(outline.Image().pixel(15, 12), kWhite);  // the outline only
}

TEST_F(DrawGraphicsTest, TrianglesCoverTheirVertices) {
  // The marker triangle pointing down, around (20, 15).
  g.ForeColor = fw::RGB(0, 0, 200);
  g.FillPolygon(16, 12, 20, 19, 24, 12);
  Box filled = Inked(image);
  EXPECT_EQ(filled.left, 16);
  EXPECT_EQ(filled.right, 24);
  EXPECT_EQ(filled.top, 12);
  EXPECT_EQ(filled.bottom, 19);
  EXPECT_EQ(image.pixel(20, 14), qRgb(0, 0, 200));
  EXPECT_EQ(image.pixel(16, 18), kWhite);

  // The surface-independent fill covers the same box.
  fw::QtPicture generic(40, 30, 32);
  generic.GetGraphics()->fw::Graphics::FillPolygon(16, 12, 20, 19, 24, 12);
  Box spans = Inked(generic.Image());
  EXPECT_EQ(spans.left, 16);
  EXPECT_EQ(spans.right, 24);
  EXPECT_EQ(spans.top, 12);
  EXPECT_EQ(spans.bottom, 19);
  EXPECT_EQ(generic.Image().pixel(20, 14), kBlack);
  EXPECT_EQ(generic.Image().pixel(16, 18), kWhite);

  fw::QtPicture open(40, 30, 32);
  open.GetGraphics()->DrawPolygon(17, 13, 20, 18, 23, 13);
  Box outline = Inked(open.Image());
  EXPECT_EQ(outline.left, 17);
  EXPECT_EQ(outline.right, 23);
  EXPECT_EQ(outline.top, 13);
  EXPECT_EQ(outline.bottom, 18);
  EXPECT_EQ(open.Image().pixel(20, 14), kWhite);  // open inside
  EXPECT_EQ(open.Image().pixel(20, 18), kBlack);
}

TEST_F(DrawGraphicsTest, ForeColorIsReadAtEachCall) {
  g.ForeColor = fw::RGB(10, 20, 30);
  g.FillRect(0, 0, 2, 2);
  g.ForeColor = fw::RGB(0, 0, 255);
  g.FillRect(4, 0, 2, 2);
  EXPECT_EQ(image.pixel(1, 1), qRgb(10, 20, 30));
  EXPECT_EQ(image.pixel(5, 1), qRgb(0, 0, 255));
}

TEST_F(DrawGraphicsTest, DrawPictureCopiesThePartAsked) {
  fw::QtPicture source(10, 8, 32);
  source.GetGraphics()->ForeColor = fw::RGB(0, 128, 0);
  source.GetGraphics()->FillRect(0, 0, 10, 8);
  source.GetGraphics()->ForeColor = fw::RGB(255, 0, 0);
  source.GetGraphics()->FillRect(2, 3, 1, 1);

  g.DrawPicture(source, 20, 10);
  Box whole = Inked(image);
  EXPECT_EQ(whole.left, 20);
  EXPECT_EQ(whole.top, 10);
  EXPECT_EQ(whole.Width(), 10);
  EXPECT_EQ(whole.Height(), 8);
  EXPECT_EQ(image.pixel(22, 13), qRgb(255, 0, 0));

  fw::QtPicture part(40, 30, 32);
  part.GetGraphics()->DrawPicture(source, 5, 5, 3, 2, 2, 3);
  Box cut = Inked(part.Image());
  EXPECT_EQ(cut.left, 5);
  EXPECT_EQ(cut.top, 5);
  EXPECT_EQ(cut.Width(), 3);
  EXPECT_EQ(cut.Height(), 2);
  EXPECT_EQ(part.Image().pixel(5, 5), qRgb(255, 0, 0));
  EXPECT_EQ(part.Image().pixel(6, 5), qRgb(0, 128, 0));

  // A part larger than the picture copies only what the picture has.
  fw::QtPicture beyond(40, 30, 32);
  beyond.GetGraphics()->DrawPicture(source, 0, 0, 30, 30, 8, 6);
  Box rest = Inked(beyond.Image());
  EXPECT_EQ(rest.Width(), 2);
  EXPECT_EQ(rest.Height(), 2);
}

TEST_F(DrawGraphicsTest, DrawPictureIntoItselfCopiesTheOldPixels) {
  g.FillRect(0, 0, 4, 4);
  g.DrawPicture(picture, 2, 0, 8, 4, 0, 0);
  // Columns 2..5 receive the old columns 0..3, all black; 6..9 the old white ones.
  EXPECT_EQ(image.pixel(5, 1), kBlack);
  EXPECT_EQ(image.pixel(6, 1), kWhite);
  EXPECT_EQ(image.pixel(9, 1), kWhite);
}

TEST_F(DrawGraphicsTest, StopIconFillsA32PixelSquareAtThePoint) {
  fw::QtPicture canvas(50, 50, 32);
  canvas.GetGraphics()->DrawStopIcon(5, 7);
  Box icon = Inked(canvas.Image());
  EXPECT_EQ(icon.left, 5);
  EXPECT_EQ(icon.top, 7);
  EXPECT_EQ(icon.Width(), 32);
  EXPECT_EQ(icon.Height(), 32);
  QColor body(canvas.Image().pixel(5 + 6, 7 + 16));
  EXPECT_GT(body.red(), 150);
  EXPECT_LT(body.green(), 50);
  EXPECT_EQ(canvas.Image().pixel(5 + 16, 7 + 10), kWhite);  // the exclamation mark
  EXPECT_EQ(canvas.Image().pixel(5, 7), kWhite);            // cut corner
}

}  // namespace
