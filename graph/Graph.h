#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "framework/Canvas.h"
#include "framework/Color.h"
#include "framework/Graphics.h"

namespace fw {
class ScrollBar;
class Window;
}  // namespace fw

// The plotting canvas: everything is drawn into an offscreen picture (the frame)
// that is copied onto the control. Labels are kept as measured styled strings:
// "." + line count, line height, widest width, each line's width (widths as two
// characters, high byte first), all as characters of codes 0..255, then
// "@font@#size#" and the markup.
class Graph : public fw::Canvas {
 public:
  explicit Graph(fw::Window& window);

  fw::ScrollBar* SBH = nullptr;
  fw::ScrollBar* SBV = nullptr;
  fw::Color CBlack = fw::RGB(0, 0, 0);
  fw::Color CWhite = fw::RGB(255, 255, 255);
  std::int32_t FHeight = 0;
  std::int32_t FWidth = 0;
  std::int32_t GHeight = 0;
  std::int32_t GLeft = 0;
  std::int32_t GTop = 0;
  std::int32_t GWidth = 0;
  fw::Graphics* GX = nullptr;  // the frame's Graphics, or a printer page's while printing
  std::shared_ptr<fw::Picture> GXP;
  bool Printing = false;
  bool RErr = false;
  std::int32_t ScPixH = 0;
  std::int32_t ScPixV = 0;
  std::string Title;
  fw::Color CGrid = fw::RGB(180, 180, 180);
  fw::Color XColor = fw::RGB(0, 0, 0);
  std::string XLabel;
  std::int32_t XFlags = 231;
  double XMax = 0;
  double XMin = 0;
  fw::Color YColor = fw::RGB(0, 0, 0);
  std::int32_t YFlags = 231;
  std::string YLabel;
  double YMax = 0;
  double YMin = 0;
  double XVtoPix = 0;
  double YVToPix = 0;
  std::int32_t XTickN = 0;
  std::int32_t XTPower = 0;
  std::int32_t YTickN = 0;
  std::int32_t YTPower = 0;
  bool HasGrid = false;
  std::int32_t PrevCurvV = 0;
  std::int32_t PrevCurvH = 0;
  double InvLog10;
  bool NoGraph = true;
  std::string TickFont = "System";
  std::int32_t TickFSize = 9;
  std::int32_t TitleH = 0, TitleV = 0;
  std::int32_t XLabelH = 0, XLabelV = 0;
  std::int32_t YLabelH = 0, YLabelV = 0;
  std::int32_t FDepth = 0;

  // Events raised on the owner (besides the control's Open and Close, which the
  // canvas raises after its own set-up); an unbound one yields 0 or nil.
  std::function<std::int32_t()> DepthQuery;
  std::function<std::int32_t()> WidthQuery;
  std::function<std::int32_t()> HeightQuery;
  std::function<void()> DrawContent;
  std::function<fw::ScrollBar*()> ScrollQueryH;
  std::function<fw::ScrollBar*()> ScrollQueryV;

  void Event_Open();
  void Event_Close();
  void Event_Paint(fw::Graphics& g);
  void zSBHAdjust();
  void zSBVAdjust();

  void SetColor(fw::Color c);
  void SetXColor(fw::Color c) { XColor = c; }
  void SetYColor(fw::Color c) { YColor = c; }
  void SetXLabel(const std::string& s) { XLabel = SetSString(s); }
  void SetYLabel(const std::string& s) { YLabel = SetSString(s); }
  void SetXAdjust(bool b) { SetFlag(XFlags, 32, b); }
  void SetYAdjust(bool b) { SetFlag(YFlags, 32, b); }
  void SetXMajTix(bool b) { SetFlag(XFlags, 64, b); }
  void SetYMajTix(bool b) { SetFlag(YFlags, 64, b); }
  void SetXMinTix(bool b) { SetFlag(XFlags, 128, b); }
  void SetYMinTix(bool b) { SetFlag(YFlags, 128, b); }
  void SetXTixPix(std::int32_t n) { SetTixPix(XFlags, n); }
  void SetYTixPix(std::int32_t n) { SetTixPix(YFlags, n); }
  void SetXZeroLn(bool b) { SetFlag(XFlags, 256, b); }
  void SetYZeroLn(bool b) { SetFlag(YFlags, 256, b); }
  void ClearFrame();
  void UpdateScreen();

  // Styled strings.
  std::string SetSString(const std::string& s);
  void SetTickFontInfo(const std::string& font, std::int32_t size);
  void SetFontInfo(const std::string& font, std::int32_t size, bool bold, bool italic);
  void SetFontInfo(const std::string& font, std::int32_t size);
  void DrawSString(const std::string& s, std::int32_t x, std::int32_t y, std::int32_t mode);
  void DrawSString(const std::string& s, std::int32_t x, std::int32_t y) { DrawSString(s, x, y, 0); }
  void SetTitle(const std::string& s) { Title = SetSString(s); }
  std::int32_t GetSSHeight(const std::string& s) const;
  std::int32_t GetSSWidth(const std::string& s) const;
  std::string GetSString(const std::string& s) const;
  std::string SetSSLineH(const std::string& s, std::int32_t h);

  void GetContent();
  void zDefineXAxis(double min, double max);
  void zDefineYAxis(double min, double max);
  void DefineGraph(double xmin, double xmax, double ymin, double ymax);
  void zDrawXAxis();
  void zDrawYAxis();
  void zDrawLabels();
  std::int32_t zYTickWidth();

  void HandleHScroll(std::int32_t v);
  void HandleVScroll(std::int32_t v);
  void HandleResize();
  void PrintGraph(fw::Graphics* g);

  static double zTickSize(std::int32_t n);
  std::int32_t zXTickWidth();
  std::int32_t XCoord(double x);
  std::int32_t YCoord(double y);
  double XToVal(std::int32_t px);
  double YToVal(std::int32_t py);
  static std::string zTickFormat(double tick);

  void DrawBar(double x, double y, double w);
  void DrawPoint(double x, double y);
  void ReDrawAll();
  void CurveStart(double x, double y);
  void CurveTo(double x, double y);
  void DrawShape(double x, double y, std::int32_t shape);
  void DrawVector(double x, double y, double dx, double dy);
  void SetGrid(bool b) { HasGrid = b; }
  void DrawXUBar(double x, double y, double plus, double minus);
  void DrawYUBar(double x, double y, double plus, double minus);
  void zDefineGRect(double xmin, double xmax, double ymin, double ymax);
  void DefSqGraph(double a, double b);
  void DrawLine(double x1, double y1, double x2, double y2);

 protected:
  void OnOpen() override { Event_Open(); }
  void OnClose() override { Event_Close(); }
  void OnPaint(fw::Graphics& g) override { Event_Paint(g); }

 private:
  struct Axis;
  struct Head;

  static void SetFlag(std::int32_t& flags, std::int32_t bit, bool on);
  static void SetTixPix(std::int32_t& flags, std::int32_t n);
  static bool ReadHead(const std::string& s, Head& head);
  void DefineAxis(Axis& axis, double min, double max);
  void DrawAxis(bool horizontal);
  std::int32_t MajorTickWidth(double lo, double hi, std::int32_t tickN, std::int32_t power);
  void DrawFrameAndAxes(std::int32_t outlineExtra);
};
