#include "framework/FileTestHooks.h"
#include "framework/GroupBox.h"
#include "window/graphpage/GraphPageFixture.h"

namespace {

class PrintTest : public GraphPageTest {
 protected:
  void TearDown() override {
    fw::FileTestHooks::ClearPrinterAnswer();
    GraphPageTest::TearDown();
  }

  // Renders a page and saves it beside the PDF; false when the tool is missing.
  static bool RenderPage(const std::string& pdf, int page, int dpi = 72) {
    const std::string stem = pdf + "-" + std::to_string(page);
    const std::string cmd = "pdftoppm -r " + std::to_string(dpi) + " -f " + std::to_string(page) + " -l " + std::to_string(page) +
                            " -png -singlefile '" + pdf + "' '" + stem + "' 2>/dev/null";
    return std::system(cmd.c_str()) == 0;
  }
  // Dark pixels of the first page rendered at 72 dpi in grey; -1 when the tool is missing.
  static int DarkPixels(const std::string& pdf) {
    const std::string stem = pdf + "-grey";
    const std::string cmd = "pdftoppm -r 72 -f 1 -l 1 -gray -singlefile '" + pdf + "' '" + stem + "' 2>/dev/null";
    if (std::system(cmd.c_str()) != 0) return -1;
    const std::string pgm = ReadFile(stem + ".pgm");
    int cols = 0, rows = 0, maxval = 0, used = 0;
    if (std::sscanf(pgm.c_str(), "P5 %d %d %d%n", &cols, &rows, &maxval, &used) != 3) return -1;
    int dark = 0;
    for (std::size_t i = static_cast<std::size_t>(used) + 1; i < pgm.size(); ++i) {
      if (static_cast<unsigned char>(pgm[i]) < 128) ++dark;
    }
    return dark;
  }
};

TEST_F(PrintTest, TheTablePrintsHeaderRowsAndPlusMinusSigns) {
  Row(0, "1.5", "0.1", "2", "0.2");
  Row(2, "3", "", "4.25", "0.3");
  const std::string pdf = TempPath("table-print.pdf");
  std::remove(pdf.c_str());
  fw::FileTestHooks::SetPrinterAnswer(pdf);
  Push(*w->PBPrintTable);
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(fw::FileTestHooks::PrinterDialogCount(), 1);
  EXPECT_EQ(PdfPages(pdf), 1);
  const std::string text = PdfText(pdf);
  if (text.empty()) GTEST_SKIP() << "pdftotext is missing";
  EXPECT_NE(text.find("Data taken by: Ann and Bo"), std::string::npos);
  EXPECT_NE(text.find("Page 1"), std::string::npos);
  EXPECT_NE(text.find("Line"), std::string::npos);
  EXPECT_NE(text.find(w->GBH->Caption()), std::string::npos);
  EXPECT_NE(text.find(w->GBV->Caption()), std::string::npos);
  EXPECT_NE(text.find(LB().Cell(0, 1)), std::string::npos);
  EXPECT_NE(text.find(LB().Cell(2, 3)), std::string::npos);
  // Row 2, the empty row before the last, is printed with its number; row 4 is not.
  EXPECT_NE(text.find("2 "), std::string::npos);
  EXPECT_EQ(text.find("4 "), std::string::npos);
  EXPECT_TRUE(RenderPage(pdf, 1));
}

TEST_F(PrintTest, AnEmptyTablePrintsOneNumberedLine) {
  w->EFNames->SetText("");
  const std::string pdf = TempPath("table-empty.pdf");
  fw::FileTestHooks::SetPrinterAnswer(pdf);
  Push(*w->PBPrintTable);
  EXPECT_EQ(PdfPages(pdf), 1);
  const std::string text = PdfText(pdf);
  if (text.empty()) GTEST_SKIP() << "pdftotext is missing";
  EXPECT_NE(text.find("Data taken by:"), std::string::npos);
  EXPECT_NE(text.find("1"), std::string::npos);
  EXPECT_EQ(text.find("2"), std::string::npos);
}

TEST_F(PrintTest, A99RowTableRunsOntoFurtherPagesEachWithItsHeader) {
  // The empty rows before the last one are printed too.
  Enter(98, 1, "7");
  const std::string pdf = TempPath("table-long.pdf");
  fw::FileTestHooks::SetPrinterAnswer(pdf);
  Push(*w->PBPrintTable);
  const int pages = PdfPages(pdf);
  EXPECT_GE(pages, 2);
  const std::string text = PdfText(pdf);
  if (text.empty()) GTEST_SKIP() << "pdftotext is missing";
  for (int p = 1; p <= pages; ++p) EXPECT_NE(text.find("Page " + std::to_string(p)), std::string::npos);
  EXPECT_EQ(text.find("Page " + std::to_string(pages + 1)), std::string::npos);
  EXPECT_NE(text.find("99"), std::string::npos);
  EXPECT_TRUE(RenderPage(pdf, 2));
}

TEST_F(PrintTest, TheOpenCellPrintsItsStoredValueAndIsOpenedAgain) {
  Row(0, "1.5", "", "2", "");
  LB().EditCell(0, 1);
  fw::TestHooks::TypeText(LB(), "8");
  ASSERT_EQ(w->LastCellCol, 1);
  const std::string pdf = TempPath("table-open.pdf");
  fw::FileTestHooks::SetPrinterAnswer(pdf);
  w->Plot.PBPrintTable_Action();
  EXPECT_EQ(LB().EditRow(), 0);
  EXPECT_EQ(LB().EditColumn(), 1);
  const std::string text = PdfText(pdf);
  if (text.empty()) GTEST_SKIP() << "pdftotext is missing";
  EXPECT_NE(text.find("1.50"), std::string::npos);
}

TEST_F(PrintTest, AnOpenEmptyCellPrintsEmptyNotZero) {
  Row(0, "1.5", "", "2", "");
  LB().EditCell(0, 2);
  ASSERT_EQ(w->LastCellCol, 2);
  const std::string pdf = TempPath("table-open-empty.pdf");
  fw::FileTestHooks::SetPrinterAnswer(pdf);
  w->Plot.PBPrintTable_Action();
  const std::string text = PdfText(pdf);
  if (text.empty()) GTEST_SKIP() << "pdftotext is missing";
  EXPECT_NE(text.find("1.50"), std::string::npos);
  EXPECT_EQ(text.find("0.00"), std::string::npos);
}

TEST_F(PrintTest, ACancelledPrinterDialogShowsNothingAFailedPrinterIsReported) {
  Row(0, "1", "", "2", "");
  Row(1, "4", "", "8", "");
  Push(*w->PBClearData);
  ASSERT_NE(w->LastAction, nullptr);
  fw::FileTestHooks::SetPrinterAnswer(std::nullopt);
  const int dialogs = fw::TestHooks::DialogsShown();
  w->Plot.PBPrintTable_Action();
  EXPECT_EQ(w->LastAction, nullptr);
  w->Plot.PBPrintGraph_Action();
  EXPECT_EQ(fw::FileTestHooks::PrinterDialogCount(), 2);
  EXPECT_EQ(fw::TestHooks::DialogsShown(), dialogs);
  EXPECT_TRUE(messages.empty());

  // The student chose to print, to a PDF file that cannot be written.
  const std::string unwritable = TempPath("no-such-folder/print.pdf");
  fw::FileTestHooks::SetPrinterAnswer(unwritable);
  AnswerWarnings(2);
  w->Plot.PBPrintTable_Action();
  w->Plot.PBPrintGraph_Action();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0], "Printing Problem: Graphics pointer is nill");
  EXPECT_EQ(messages[1], "Internal printing problem: Graphics object is nil");
}

TEST_F(PrintTest, TheGraphPrintsItsPictureAndTheBoxesAsShown) {
  Row(0, "1", "0.1", "3", "0.2");
  Row(1, "2", "0.1", "5", "0.2");
  Row(2, "3", "0.1", "7.5", "0.2");
  ToGraph();
  Push(*w->PBFit);
  const std::string pdf = TempPath("graph-print.pdf");
  fw::FileTestHooks::SetPrinterAnswer(pdf);
  Push(*w->PBPrintGraph);
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(PdfPages(pdf), 1);
  // The graph, the team box and the fit box (and any transparency masks): none
  // compressed lossily, so lines and letters print without artefacts.
  const std::vector<std::string> images = PdfImageDictionaries(pdf);
  EXPECT_GE(images.size(), 3u);
  for (const std::string& image : images) EXPECT_EQ(image.find("/DCTDecode"), std::string::npos) << image;
  EXPECT_TRUE(RenderPage(pdf, 1, 300));
}

TEST_F(PrintTest, AFitBoxIsPrintedOnlyWhileTheFitExists) {
  Row(0, "1", "0.1", "3", "0.2");
  Row(1, "2", "0.1", "5", "0.2");
  Row(2, "3", "0.1", "7.5", "0.2");
  ToGraph();
  Push(*w->PBFit);
  const std::string withFit = TempPath("graph-print-fit.pdf");
  fw::FileTestHooks::SetPrinterAnswer(withFit);
  Push(*w->PBPrintGraph);
  const int shown = DarkPixels(withFit);
  if (shown < 0) GTEST_SKIP() << "pdftoppm is missing";
  // Typing a value discards the fit; the graph's picture and the box's picture keep the old drawing.
  Enter(2, 3, "7.4");
  ASSERT_FALSE(w->HaveFit);
  const std::string noFit = TempPath("graph-print-nofit.pdf");
  fw::FileTestHooks::SetPrinterAnswer(noFit);
  w->Plot.PBPrintGraph_Action();
  EXPECT_LT(DarkPixels(noFit) + 100, shown);
}

}  // namespace
