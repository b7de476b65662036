#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "framework/FileTestHooks.h"
#include "framework/Printer.h"
#include "framework/QtPicture.h"

namespace {

namespace hooks = fw::FileTestHooks;

// Pages of the PDF, counted as its page objects.
int PageCount(const QString& pdf) {
  QFile file(pdf);
  if (!file.open(QIODevice::ReadOnly)) return -1;
  return static_cast<int>(QString::fromLatin1(file.readAll()).count(QRegularExpression("/Type\\s*/Page\\b")));
}

// The first page rendered at 72 dpi: one pixel per printer unit, plus the margins.
QImage FirstPage(const QString& pdf, const QString& stem) {
  if (QStandardPaths::findExecutable("pdftoppm").isEmpty()) return QImage();
  QProcess render;
  render.start("pdftoppm", {"-r", "72", "-f", "1", "-l", "1", "-png", "-singlefile", pdf, stem});
  if (!render.waitForFinished(20000)) return QImage();
  return QImage(stem + ".png");
}

// Bounding box of the pixels darker than mid-grey.
QRect Dark(const QImage& image) {
  QRect box;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qGray(image.pixel(x, y)) < 128) box = box.united(QRect(x, y, 1, 1));
  return box;
}

class PrintPdfTest : public ::testing::Test {
 protected:
  QTemporaryDir dir;
  QString pdf = dir.filePath("job.pdf");
  void TearDown() override { hooks::ClearPrinterAnswer(); }
};

TEST_F(PrintPdfTest, CancelledDialogGivesNoGraphicsAndSaysSo) {
  hooks::SetPrinterAnswer(std::nullopt);
  bool cancelled = false;
  EXPECT_EQ(fw::OpenPrinterDialog(&cancelled), nullptr);
  EXPECT_TRUE(cancelled);
  EXPECT_EQ(hooks::PrinterDialogCount(), 1);
}

TEST_F(PrintPdfTest, PrintsEveryPageToThePdf) {
  hooks::SetPrinterAnswer(pdf.toStdString());
  {
    auto g = fw::OpenPrinterDialog();
    ASSERT_NE(g, nullptr);
    // A page is some 8 by 11 inches less its margins, in units of 1/72 inch.
    EXPECT_GT(g->Width(), 450);
    EXPECT_LT(g->Width(), 620);
    EXPECT_GT(g->Height(), 650);
    EXPECT_LT(g->Height(), 850);
    g->DrawString("Page 1", 36, 50);
    EXPECT_TRUE(g->NextPage());
    g->DrawString("Page 2", 36, 50);
    EXPECT_TRUE(g->NextPage());
    g->DrawString("Page 3", 36, 50);
    EXPECT_FALSE(QFile::exists(pdf) && PageCount(pdf) == 3);  // finished only when released
  }
  ASSERT_TRUE(QFile::exists(pdf));
  EXPECT_EQ(PageCount(pdf), 3);
  EXPECT_EQ(hooks::PrinterDialogCount(), 1);
}

TEST_F(PrintPdfTest, UnitsAreOneSeventySecondOfAnInch) {
  hooks::SetPrinterAnswer(pdf.toStdString());
  int width = 0;
  {
    auto g = fw::OpenPrinterDialog();
    ASSERT_NE(g, nullptr);
    width = g->Width();
    g->FillRect(100, 200, 144, 72);  // two inches by one
  }
  QImage page = FirstPage(pdf, dir.filePath("page"));
  if (page.isNull()) GTEST_SKIP() << "pdftoppm (poppler-utils) is needed to look at the page";
  QRect box = Dark(page);
  EXPECT_NEAR(box.width(), 144, 1);
  EXPECT_NEAR(box.height(), 72, 1);
  // The origin is the printable area's corner: the margins lie outside it on both sides.
  int margin = box.left() - 100;
  EXPECT_GE(margin, 0);
  EXPECT_NEAR(page.width(), width + 2 * margin, 2);
}

TEST_F(PrintPdfTest, FontsArePixelSizedInPrinterUnits) {
  hooks::SetPrinterAnswer(pdf.toStdString());
  double measured = 0;
  int height = 0;
  {
    auto g = fw::OpenPrinterDialog();
    ASSERT_NE(g, nullptr);
    g->TextSize = 24;
    measured = g->StringWidth("MMMMMMMMMM");
    height = g->TextHeight();
    g->DrawString("MMMMMMMMMM", 50, 100);
  }
  // A 24-unit DejaVu Sans: M advances about 0.86 of the size, and a line is about 28 units.
  EXPECT_NEAR(measured, 10 * 0.863 * 24, 6);
  EXPECT_NEAR(height, 28, 2);
  QImage page = FirstPage(pdf, dir.filePath("text"));
  if (page.isNull()) GTEST_SKIP() << "pdftoppm (poppler-utils) is needed to look at the page";
  QRect box = Dark(page);
  // The ink lies within the advance, short of it by the side bearings.
  EXPECT_LE(box.width(), measured);
  EXPECT_GT(box.width(), measured - 6);
  EXPECT_NEAR(box.height(), 17, 2);  // cap height of a 24-unit font
}

TEST_F(PrintPdfTest, PicturesPrintAtTheirPixelSize) {
  fw::QtPicture picture(60, 40, 32);
  picture.GetGraphics()->FillRect(0, 0, 60, 40);
  hooks::SetPrinterAnswer(pdf.toStdString());
  {
    auto g = fw::OpenPrinterDialog();
    ASSERT_NE(g, nullptr);
    g->DrawPicture(picture, 30, 30);
  }
  QImage page = FirstPage(pdf, dir.filePath("picture"));
  if (page.isNull()) GTEST_SKIP() << "pdftoppm (poppler-utils) is needed to look at the page";
  QRect box = Dark(page);
  EXPECT_NEAR(box.width(), 60, 1);
  EXPECT_NEAR(box.height(), 40, 1);
}

TEST_F(PrintPdfTest, AnUnwritablePdfGivesNoGraphicsAndIsNoCancel) {
  hooks::SetPrinterAnswer(dir.filePath("no/such/folder/job.pdf").toStdString());
  bool cancelled = true;
  EXPECT_EQ(fw::OpenPrinterDialog(&cancelled), nullptr);
  EXPECT_FALSE(cancelled);
}

}  // namespace
