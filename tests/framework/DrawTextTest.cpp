#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QImage>

#include "framework/ImageGraphics.h"
#include "framework/QtPicture.h"
#include "framework/SymbolFont.h"

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;

// Rows holding ink, as [first, last]; first > last when there is none.
std::pair<int, int> InkedRows(const QImage& image) {
  int first = image.height(), last = -1;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixel(x, y) != kWhite) {
        first = std::min(first, y);
        last = std::max(last, y);
      }
    }
  }
  return {first, last};
}

TEST(DrawTextTest, FontsArePixelSizedDejaVuSans) {
  fw::QtPicture picture(10, 10, 32);
  auto& g = static_cast<fw::QtGraphics&>(*picture.GetGraphics());
  for (const char* name : {"System", "Helvetica", "helvetica", "Symbol", ""}) {
    g.TextFont = name;
    g.TextSize = 20;
    QFontInfo info(g.CurrentFont());
    EXPECT_EQ(info.family(), "DejaVu Sans") << name;
    EXPECT_EQ(info.pixelSize(), 20) << name;
  }
  g.TextFont = "System";
  g.TextSize = 0;
  EXPECT_EQ(QFontInfo(g.CurrentFont()).pixelSize(), 12);
  g.Bold = true;
  g.Italic = true;
  EXPECT_TRUE(QFontInfo(g.CurrentFont()).bold());
  EXPECT_TRUE(QFontInfo(g.CurrentFont()).italic());
}

TEST(DrawTextTest, DrawStringPlacesTheBaseline) {
  fw::QtPicture picture(60, 60, 32);
  fw::Graphics& g = *picture.GetGraphics();
  g.TextSize = 20;
  g.DrawString("H", 10, 40);
  auto [top, bottom] = InkedRows(picture.Image());
  EXPECT_EQ(bottom, 39);  // the letter stands on the baseline
  // A capital of a 20-pixel DejaVu Sans is about 14.6 pixels tall.
  EXPECT_NEAR(bottom - top + 1, 15, 1);

  fw::QtPicture descender(60, 60, 32);
  descender.GetGraphics()->TextSize = 20;
  descender.GetGraphics()->DrawString("p", 10, 40);
  EXPECT_GT(InkedRows(descender.Image()).second, 40);
}

TEST(DrawTextTest, MeasuresWithFractionalWidthsAndLineHeight) {
  fw::QtPicture picture(10, 10, 32);
  auto& g = static_cast<fw::QtGraphics&>(*picture.GetGraphics());
  g.TextSize = 12;
  QFont font = g.CurrentFont();
  EXPECT_DOUBLE_EQ(g.StringWidth("Data taken by: "), QFontMetricsF(font).horizontalAdvance("Data taken by: "));
  EXPECT_DOUBLE_EQ(g.StringWidth(""), 0.0);
  EXPECT_EQ(g.TextHeight(), QFontMetrics(font).height());
  EXPECT_EQ(g.TextAscent(), QFontMetrics(font).ascent());

  EXPECT_EQ(g.StringHeight("TEST", 1000), g.TextHeight());
  EXPECT_EQ(g.StringHeight("", 1000), g.TextHeight());
  int word = static_cast<int>(g.StringWidth("ab")) + 2;  // room for one word a line
  EXPECT_EQ(g.StringHeight("ab ab ab", word), 3 * g.TextHeight());

  double twelve = g.StringWidth("Line 99");
  g.TextSize = 24;
  EXPECT_NEAR(g.StringWidth("Line 99"), 2 * twelve, 2.0);
  EXPECT_GT(g.TextHeight(), 24);
  EXPECT_LT(g.TextHeight(), 32);

  g.TextSize = 12;
  g.Bold = true;
  EXPECT_GT(g.StringWidth("Line 99"), twelve);
}

TEST(DrawTextTest, DrawnWidthMatchesStringWidth) {
  fw::QtPicture picture(300, 40, 32);
  fw::Graphics& g = *picture.GetGraphics();
  g.TextSize = 16;
  g.DrawString("MMMMMMMMMM", 5, 30);
  int right = -1;
  const QImage& image = picture.Image();
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) != kWhite) right = std::max(right, x);
  EXPECT_NEAR(right + 1, 5 + g.StringWidth("MMMMMMMMMM"), 3.0);
}

TEST(DrawTextTest, SymbolEncodingBecomesGreekAndMathematics) {
  EXPECT_EQ(fw::SymbolFont::ToUnicode("abDmpW"), "αβΔμπΩ");
  EXPECT_EQ(fw::SymbolFont::ToUnicode("cdqswlGFQSY"), "χδθσωλΓΦΘΣΨ");
  EXPECT_EQ(fw::SymbolFont::ToUnicode("@\\^~-*"), "≅∴⊥∼−∗");
  EXPECT_EQ(fw::SymbolFont::ToUnicode("\"$'"), "∀∃∋");
  EXPECT_EQ(fw::SymbolFont::ToUnicode("jJvV"), "ϕϑϖς");
  EXPECT_EQ(fw::SymbolFont::ToUnicode("0 9+=()[]{}|,./"), "0 9+=()[]{}|,./");
  EXPECT_EQ(fw::SymbolFont::ToUnicode("a°b"), "α°β");  // non-ASCII characters pass unchanged
  EXPECT_EQ(fw::SymbolFont::ToUnicode(""), "");
  EXPECT_TRUE(fw::SymbolFont::IsSymbolFont("Symbol"));
  EXPECT_TRUE(fw::SymbolFont::IsSymbolFont("symbol"));
  EXPECT_FALSE(fw::SymbolFont::IsSymbolFont("System"));
  EXPECT_FALSE(fw::SymbolFont::IsSymbolFont("Symbols"));
}

TEST(DrawTextTest, SymbolRunsAreMeasuredAndDrawnTranslated) {
  fw::QtPicture symbol(80, 40, 32);
  fw::QtPicture greek(80, 40, 32);
  fw::Graphics& s = *symbol.GetGraphics();
  fw::Graphics& g = *greek.GetGraphics();
  s.TextFont = "Symbol";
  s.TextSize = 18;
  g.TextFont = "System";
  g.TextSize = 18;
  EXPECT_DOUBLE_EQ(s.StringWidth("Dmp"), g.StringWidth("Δμπ"));
  EXPECT_NE(s.StringWidth("Dmp"), g.StringWidth("Dmp"));
  s.DrawString("Dmp", 4, 30);
  g.DrawString("Δμπ", 4, 30);
  EXPECT_EQ(symbol.Image(), greek.Image());
}

}  // namespace
