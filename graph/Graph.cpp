#include "graph/Graph.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "framework/BackgroundTask.h"
#include "framework/EventDispatch.h"
#include "framework/Maths.h"
#include "framework/ScrollBar.h"
#include "framework/Text.h"
#include "graph/GraphError.h"
#include "graph/StyledText.h"

namespace {

constexpr std::int32_t kTicks = 64 | 128;
constexpr std::int32_t kMinorTicks = 128;
constexpr std::int32_t kAdjust = 32;
constexpr std::int32_t kZeroLine = 256;
// Far more passes than any plot width allows; only reached by ends that lost their precision.
constexpr std::int64_t kMaxTickPasses = 100000;
const char* const kNoTarget = "DrawSString: Graphics target undefined.";

std::int32_t RoundInt(double v) { return fw::ToInt32(fw::Round(v)); }

std::string Byte(int v) { return fw::Chr(std::clamp(v, 0, 255)); }

int CodeAt(const std::string& s, int pos) { return pos <= fw::Len(s) ? fw::Asc(fw::Mid(s, pos, 1)) : 0; }

bool Finite(double v) { return std::isfinite(v); }

// A tick index that a 64-bit loop can count; false when the axis lost its precision.
bool TickIndex(double v, std::int64_t& out) {
  if (!Finite(v) || std::fabs(v) > 9e15) return false;
  out = static_cast<std::int64_t>(v);
  return true;
}

// Remembers the text state of a Graphics and puts it back on leaving.
class TextState {
 public:
  explicit TextState(fw::Graphics& g) : g_(g), font_(g.TextFont), size_(g.TextSize), bold_(g.Bold), italic_(g.Italic) {}
  ~TextState() {
    g_.TextFont = font_;
    g_.TextSize = size_;
    g_.Bold = bold_;
    g_.Italic = italic_;
  }
  TextState(const TextState&) = delete;
  TextState& operator=(const TextState&) = delete;

 private:
  fw::Graphics& g_;
  std::string font_;
  int size_;
  bool bold_;
  bool italic_;
};

}  // namespace

struct Graph::Axis {
  std::int32_t pixels;
  std::int32_t flags;
  double& min;
  double& max;
  std::int32_t& tickN;
  std::int32_t& power;
  double& vToPix;
  const char* undefinedMessage;
  const char* rangeMessage;
};

struct Graph::Head {
  int lines = 0;
  int lineHeight = 0;
  std::vector<int> widths;
  int textStart = 1;  // position of "@font@#size#"
};

Graph::Graph(fw::Window& window) : fw::Canvas(window), InvLog10(1 / fw::Log(10)) {}

void Graph::Event_Open() {
  fw::ScrollBar* const none = nullptr;
  SBV = fw::RaiseResult(ScrollQueryV, none);
  SBH = fw::RaiseResult(ScrollQueryH, none);
  FHeight = SBV ? fw::RaiseResult(HeightQuery, 0) : 0;
  if (FHeight == 0) FHeight = Height();
  FWidth = SBH ? fw::RaiseResult(WidthQuery, 0) : 0;
  if (FWidth == 0) FWidth = Width();
  FDepth = fw::RaiseResult(DepthQuery, 0);
  if (FDepth != 1 && FDepth != 2 && FDepth != 4 && FDepth != 8 && FDepth != 16 && FDepth != 32) FDepth = 1;

  GX = nullptr;
  GXP = fw::NewPicture(FWidth, FHeight, FDepth);
  if (!GXP) throw GraphError("Graph.Open: Picture Initialization Failure");
  GX = GXP->GetGraphics();
  if (!GX) throw GraphError("Graph.Open: GX Initialization Failure");

  ScPixH = 0;
  ScPixV = 0;
  zSBVAdjust();
  zSBHAdjust();
  InvLog10 = 1 / fw::Log(10);
  CBlack = fw::RGB(0, 0, 0);
  CWhite = fw::RGB(255, 255, 255);
  CGrid = fw::RGB(180, 180, 180);
  RErr = false;
  Printing = false;
  HasGrid = false;
  NoGraph = true;
  PrevCurvH = PrevCurvV = 0;
  GHeight = GLeft = GTop = GWidth = 0;
  SetFontInfo("System", 12, false, false);
  SetColor(CBlack);
  SetTickFontInfo("System", 9);
  SetXColor(CBlack);
  SetYColor(CBlack);
  XLabel = "";
  XLabelH = XLabelV = 0;
  YLabel = "";
  YLabelH = YLabelV = 0;
  XFlags = 0;
  YFlags = 0;
  SetXAdjust(true);
  SetYAdjust(true);
  SetXMajTix(true);
  SetYMajTix(true);
  SetXMinTix(true);
  SetYMinTix(true);
  SetXTixPix(7);
  SetYTixPix(7);
  SetXZeroLn(false);
  SetYZeroLn(false);
  XMax = XMin = YMax = YMin = 0;
  XTickN = XTPower = YTickN = YTPower = 0;
  XVtoPix = YVToPix = 0;
  Title = "";
  ClearFrame();
  fw::Raise(Open);
  UpdateScreen();
}

void Graph::Event_Close() {
  GXP = nullptr;
  GX = nullptr;
  fw::Raise(Close);
}

void Graph::Event_Paint(fw::Graphics& g) {
  if (!GXP) return;
  g.DrawPicture(*GXP, 0, 0, Width(), Height(), ScPixH, ScPixV);
}

void Graph::zSBHAdjust() {
  if (!SBH) return;
  SBH->SetMinimum(0);
  SBH->SetLineStep(10);
  SBH->SetPageStep(50);
  if (FWidth - Width() > 0) {
    SBH->SetEnabled(true);
    SBH->SetMaximum(FWidth - Width());
  } else {
    SBH->SetEnabled(false);
    ScPixH = 0;
  }
}

void Graph::zSBVAdjust() {
  if (!SBV) return;
  SBV->SetMinimum(0);
  SBV->SetLineStep(10);
  SBV->SetPageStep(50);
  if (FHeight - Height() > 0) {
    SBV->SetEnabled(true);
    SBV->SetMaximum(FHeight - Height());
  } else {
    SBV->SetEnabled(false);
    ScPixV = 0;
  }
}

void Graph::SetColor(fw::Color c) {
  if (GX) GX->ForeColor = c;
}

void Graph::SetFlag(std::int32_t& flags, std::int32_t bit, bool on) { flags = on ? (flags | bit) : (flags & ~bit); }

void Graph::SetTixPix(std::int32_t& flags, std::int32_t n) { flags = (flags & 480) + std::clamp(n, 3, 31); }

void Graph::ClearFrame() {
  if (!GX || !GXP) return;
  const fw::Color was = GX->ForeColor;
  SetColor(CWhite);
  GX->FillRect(0, 0, GXP->Width(), GXP->Height());
  SetColor(was);
}

void Graph::UpdateScreen() {
  if (Printing || !GXP) return;
  if (fw::Graphics* screen = GetGraphics()) screen->DrawPicture(*GXP, 0, 0, Width(), Height(), ScPixH, ScPixV);
}

// ---- styled strings ----

std::string Graph::SetSString(const std::string& s) {
  if (s.empty()) return "";
  if (!GX) throw GraphError(kNoTarget);
  const StyledText::Layout layout = StyledText::Measure(*GX, s);
  // The fields saturate: at most 255 lines, a line height of 255, widths of 65535.
  const int lines = std::min(layout.NumLines, 255);
  auto wide = [](int w) { return std::clamp(w, 0, 65535); };
  std::string head = "." + Byte(lines) + Byte(std::min(layout.LineHeight, 255)) +
                     Byte(wide(layout.MaxWidth) / 256) + Byte(wide(layout.MaxWidth) % 256);
  for (int l = 0; l < lines; ++l) {
    const int w = wide(layout.Widths[static_cast<std::size_t>(l)]);
    head += Byte(w / 256) + Byte(w % 256);
  }
  return head + "@" + GX->TextFont + "@#" + fw::Str(GX->TextSize) + "#" + s;
}

bool Graph::ReadHead(const std::string& s, Head& head) {
  if (s.empty() || s[0] != '.') return false;
  const int len = fw::Len(s);
  head.lines = CodeAt(s, 2);
  if (head.lines < 1 || len < 2 * head.lines + 5) return false;
  head.lineHeight = CodeAt(s, 3);
  head.widths.clear();
  for (int l = 0; l < head.lines; ++l) head.widths.push_back(256 * CodeAt(s, 6 + 2 * l) + CodeAt(s, 7 + 2 * l));
  head.textStart = 2 * head.lines + 6;
  return true;
}

// The size fields are read from any text marked as measured, complete or not;
// a field past the end of the text counts as 0.
std::int32_t Graph::GetSSHeight(const std::string& s) const {
  if (s.empty() || s[0] != '.') return 0;
  return CodeAt(s, 2) * CodeAt(s, 3);
}

std::int32_t Graph::GetSSWidth(const std::string& s) const {
  if (s.empty() || s[0] != '.') return 0;
  return 256 * CodeAt(s, 4) + CodeAt(s, 5);
}

std::string Graph::GetSString(const std::string& s) const {
  Head head;
  if (!ReadHead(s, head) || fw::Len(s) < head.textStart) return s;
  return fw::Mid(s, head.textStart);
}

std::string Graph::SetSSLineH(const std::string& s, std::int32_t h) {
  const std::string compiled = (!s.empty() && s[0] == '.') ? s : SetSString(s);
  if (fw::Len(compiled) < 3) return compiled;
  return fw::Left(compiled, 2) + Byte(h) + fw::Mid(compiled, 4);
}

void Graph::SetTickFontInfo(const std::string& font, std::int32_t size) {
  if (!font.empty()) TickFont = font;
  if (size != 0) TickFSize = size;
}

void Graph::SetFontInfo(const std::string& font, std::int32_t size, bool bold, bool italic) {
  if (!GX) return;
  SetFontInfo(font, size);
  GX->Bold = bold;
  GX->Italic = italic;
}

void Graph::SetFontInfo(const std::string& font, std::int32_t size) {
  if (!GX) return;
  if (!font.empty()) GX->TextFont = font;
  if (size != 0) GX->TextSize = size;
}

void Graph::DrawSString(const std::string& s, std::int32_t x, std::int32_t y, std::int32_t mode) {
  if (s.empty()) return;
  if (!GX) throw GraphError(kNoTarget);
  Head head;
  if (ReadHead(s, head)) {
    StyledText::Draw(*GX, fw::Mid(s, head.textStart), x, y, mode, head.lines, head.lineHeight, head.widths);
  } else {
    StyledText::Draw(*GX, s, x, y, mode, 0, GX->TextHeight(), {});
  }
}

void Graph::GetContent() {
  if (DrawContent) DrawContent();
  UpdateScreen();
}

// ---- axes ----

double Graph::zTickSize(std::int32_t n) {
  static const double kMantissa[] = {1, 2, 5, 10};
  int r = n % 3;
  int q = n / 3;
  if (n < 0) {
    r += 3;
    q -= 1;
  }
  return kMantissa[r] * fw::Pow(10, q);
}

std::string Graph::zTickFormat(double tick) {
  if (tick >= 1) return "-#0";
  if (tick >= 0.1) return "-#0.0";
  if (tick >= 0.01) return "-#0.00";
  if (tick >= 0.001) return "-#0.000";
  return "-#0.0000";
}

void Graph::DefineAxis(Axis& axis, double min, double max) {
  if (axis.pixels <= 0) throw GraphError(axis.undefinedMessage);
  const double range = max - min;
  const auto fail = [&] { throw GraphError(std::string(axis.rangeMessage) + fw::Str(range)); };
  // Ranges that are not finite, or too small to scale, cannot be ticked.
  if (!(range > 0) || !Finite(range) || range < 1e-300 || !Finite(min) || !Finite(max)) fail();

  const std::int32_t power = (range > 0.01 && range < 10000)
                                 ? 0
                                 : 3 * fw::ToInt32(fw::Floor(fw::Log(range) / fw::Log(1000) + 0.00001));
  const double s = fw::Pow(10, power);
  const double p = axis.flags & 31;
  const double index = fw::Ceil(3 * fw::Log(range * p / axis.pixels / s) * InvLog10 - 0.15);
  if (!Finite(s) || !(s > 0) || !Finite(index)) fail();
  const std::int32_t tickN = fw::ToInt32(index);
  const double major = zTickSize(tickN + 2);
  double lo = min;
  double hi = max;
  if (axis.flags & kAdjust) {
    lo = major * fw::Floor(lo / (major * s) + 0.05) * s;
    hi = major * fw::Ceil(hi / (major * s) - 0.05) * s;
  }
  const double perPixel = axis.pixels / (hi - lo);
  if (!Finite(major) || !(major > 0) || !Finite(lo) || !Finite(hi) || !(hi > lo) || !Finite(perPixel) ||
      !(perPixel > 0)) {
    fail();
  }
  axis.power = power;
  axis.tickN = tickN;
  axis.min = lo;
  axis.max = hi;
  axis.vToPix = perPixel;
}

void Graph::zDefineXAxis(double min, double max) {
  Axis axis{GWidth, XFlags, XMin, XMax, XTickN, XTPower, XVtoPix, "zDefineXAxis: Graph Width is undefined.",
            "zDefineXAxis: x axis range is "};
  DefineAxis(axis, min, max);
}

void Graph::zDefineYAxis(double min, double max) {
  Axis axis{GHeight, YFlags, YMin, YMax, YTickN, YTPower, YVToPix, "zDefineYAxis: Graph Height is undefined.",
            "zDefineYAxis: y axis range is "};
  DefineAxis(axis, min, max);
}

void Graph::zDefineGRect(double xmin, double xmax, double ymin, double ymax) {
  const std::int32_t top = GetSSHeight(Title) + 16;
  std::int32_t bottom = GetSSHeight(XLabel);
  if (bottom > 0) bottom += 8;
  if (XFlags & kTicks) bottom += 14;
  bottom += 8;
  if (bottom == 8) bottom = 16;
  GHeight = FHeight - top - bottom;
  if (GHeight < 100) {
    GHeight = 0;
    throw GraphError("zDefineGRect: Graph is not tall enough.");
  }
  zDefineYAxis(ymin, ymax);

  std::int32_t left = GetSSWidth(YLabel);
  if (YFlags & kTicks) left += zYTickWidth() + 8;
  if (left > 0) left += 8;
  left += 8;
  if (left == 8) left = 16;
  GLeft = left;
  GTop = top;
  GWidth = FWidth - left - 16;
  if (GWidth < 100) {
    GLeft = GTop = GWidth = GHeight = 0;
    throw GraphError("zDefineGRect: Graph too small.");
  }
  zDefineXAxis(xmin, xmax);
}

void Graph::DefineGraph(double xmin, double xmax, double ymin, double ymax) {
  if (!GX) throw GraphError("DefineGraph: Graph is not open.");
  zDefineGRect(xmin, xmax, ymin, ymax);
  DrawFrameAndAxes(1);
}

// Clears the frame and draws the outline (one pixel larger than the plot by
// outlineExtra), the labels and both axes.
void Graph::DrawFrameAndAxes(std::int32_t outlineExtra) {
  ClearFrame();
  const fw::Color was = GX->ForeColor;
  SetColor(CBlack);
  GX->DrawRect(GLeft, GTop, GWidth + outlineExtra, GHeight + outlineExtra);
  zDrawLabels();
  zDrawXAxis();
  zDrawYAxis();
  SetColor(was);
  UpdateScreen();
}

void Graph::zDrawXAxis() { DrawAxis(true); }

void Graph::zDrawYAxis() { DrawAxis(false); }

void Graph::DrawAxis(bool horizontal) {
  if (!GX) return;
  const std::int32_t flags = horizontal ? XFlags : YFlags;
  const std::int32_t tickN = horizontal ? XTickN : YTickN;
  const std::int32_t power = horizontal ? XTPower : YTPower;
  const double lo = horizontal ? XMin : YMin;
  const double hi = horizontal ? XMax : YMax;
  const std::int32_t bottom = GTop + GHeight;
  const std::int32_t left = GLeft;

  const fw::Color was = GX->ForeColor;
  const std::string wasFont = GX->TextFont;
  const int wasSize = GX->TextSize;

  const double m = zTickSize(tickN);
  const double major = zTickSize(tickN + 2);
  const std::int64_t k = fw::ToInt32(fw::Round(major / m));
  const double s = fw::Pow(10, power);
  std::int64_t first = 0, last = 0, firstMajor = 0;
  const bool countable = TickIndex(fw::Ceil(lo / (m * s) - 0.05), first) &&
                         TickIndex(fw::Floor(hi / (m * s) + 0.05), last) &&
                         TickIndex(fw::Ceil(lo / (major * s) - 0.05), firstMajor);
  if (countable) last = std::min(last, first + kMaxTickPasses);
  const auto at = [&](std::int64_t i) {
    const double v = static_cast<double>(i) * m * s;
    return horizontal ? XCoord(v) : YCoord(v);
  };

  const bool ticks = (flags & kTicks) != 0;
  if (ticks && countable) {
    SetFontInfo(TickFont, TickFSize);
    std::int64_t j = k * firstMajor;
    for (std::int64_t i = first; i <= last; ++i) {
      const std::int32_t pos = at(i);
      if (i == j) {
        const std::string text = fw::Format(static_cast<double>(i) * m, zTickFormat(major));
        if (horizontal) {
          GX->DrawLine(pos, bottom, pos, bottom + 5);
          const std::int32_t half = fw::ToInt32(GX->StringWidth(text) / 2);
          GX->DrawString(text, pos - half, bottom + 15);
        } else {
          GX->DrawLine(left, pos, left - 5, pos);
          const std::int32_t w = fw::ToInt32(GX->StringWidth(text));
          GX->DrawString(text, left - w - 7, pos + 3);
        }
        j += k;
        if (j > last && power != 0) {
          const std::string label = SetSString("!x10^" + fw::Str(power) + "^!");
          if (horizontal) {
            DrawSString(label, pos, bottom + 25, 2);
          } else {
            DrawSString(label, left - 7, pos + 13, 3);
          }
        }
      } else if (flags & kMinorTicks) {
        if (horizontal) {
          GX->DrawLine(pos, bottom, pos, bottom + 3);
        } else {
          GX->DrawLine(left, pos, left - 3, pos);
        }
      }
      fw::RuntimeBackgroundTask();
    }
    GX->TextFont = wasFont;
    GX->TextSize = wasSize;
  }

  if (HasGrid && countable) {
    SetColor(CGrid);
    const std::int32_t d = ticks ? 1 : 0;
    std::int64_t j = k * firstMajor;
    for (std::int64_t i = first; i <= last; ++i) {
      const std::int32_t pos = at(i);
      if (i == j) {
        if (horizontal && pos != GLeft && pos != GLeft + GWidth) {
          GX->DrawLine(pos, bottom - d, pos, GTop + d);
        } else if (!horizontal && pos != GTop && pos != GTop + GHeight) {
          GX->DrawLine(GLeft + d, pos, GLeft + GWidth - d, pos);
        }
        j += k;
      }
      fw::RuntimeBackgroundTask();
    }
    SetColor(was);
  }

  if (lo < 0 && hi > 0 && (flags & kZeroLine)) {
    SetColor(fw::RGB(0, 0, 0));
    if (horizontal) {
      const std::int32_t px = XCoord(0);
      GX->DrawLine(px, bottom, px, GTop);
    } else {
      const std::int32_t py = YCoord(0);
      GX->DrawLine(GLeft, py, GLeft + GWidth, py);
    }
    SetColor(was);
  }
}

void Graph::zDrawLabels() {
  const std::int32_t cx = fw::ToInt32(GLeft + GWidth / 2.0);
  DrawSString(Title, cx, fw::ToInt32(GTop - 8 - GetSSHeight(Title) / 2.0), 5);
  const std::int32_t base = GTop + GHeight + ((XFlags & kTicks) ? 22 : 8);
  DrawSString(XLabel, cx, fw::ToInt32(base + GetSSHeight(XLabel) / 2.0), 5);
  const std::int32_t cy = fw::ToInt32(GTop + GHeight / 2.0);
  const std::int32_t right = (YFlags & kTicks) ? GLeft - zYTickWidth() - 16 : GLeft - 8;
  DrawSString(YLabel, fw::ToInt32(right - GetSSWidth(YLabel) / 2.0), cy, 5);
}

// Width of the wider of the first and last major-tick numbers, in "Helvetica" 9.
std::int32_t Graph::MajorTickWidth(double lo, double hi, std::int32_t tickN, std::int32_t power) {
  if (!GX) return 0;
  TextState keep(*GX);
  SetFontInfo("Helvetica", 9, false, false);
  const double tick = zTickSize(tickN + 2);
  const double unit = tick * fw::Pow(10, power);
  const std::string pattern = zTickFormat(tick);
  const double w1 = GX->StringWidth(fw::Format(tick * fw::Ceil(lo / unit - 0.05), pattern));
  const double w2 = GX->StringWidth(fw::Format(tick * fw::Floor(hi / unit + 0.05), pattern));
  return fw::ToInt32(fw::Max(fw::ToInt32(w1), fw::ToInt32(w2)));
}

std::int32_t Graph::zYTickWidth() { return MajorTickWidth(YMin, YMax, YTickN, YTPower); }

std::int32_t Graph::zXTickWidth() { return MajorTickWidth(XMin, XMax, XTickN, XTPower); }

// ---- coordinates ----

std::int32_t Graph::XCoord(double x) {
  if (GWidth <= 0) throw GraphError("YCoord: Graph not yet defined.");
  const double lo = XMin - fw::Abs(XMin) * 0.00001;
  const double hi = XMax + fw::Abs(XMax) * 0.00001;
  if (std::isnan(x) || x < lo) {
    RErr = true;
    return GLeft;
  }
  if (x > hi) {
    RErr = true;
    return GLeft + GWidth;
  }
  return GLeft + RoundInt((x - XMin) * XVtoPix);
}

std::int32_t Graph::YCoord(double y) {
  if (GHeight <= 0) throw GraphError("YCoord: Graph not yet defined.");
  const double lo = YMin - fw::Abs(YMin) * 0.00001;
  const double hi = YMax + fw::Abs(YMax) * 0.00001;
  if (std::isnan(y) || y < lo) {
    RErr = true;
    return GTop + GHeight;
  }
  if (y > hi) {
    RErr = true;
    return GTop;
  }
  return GTop + GHeight - RoundInt((y - YMin) * YVToPix);
}

double Graph::XToVal(std::int32_t px) {
  if (GWidth <= 0) throw GraphError("XToVal: Graph is not defined.");
  const double v = (px - GLeft) / XVtoPix + XMin;
  if (v > XMin - fw::Abs(XMin) * 0.00001 && v < XMax + fw::Abs(XMax) * 0.00001) return v;
  RErr = true;
  return 0;
}

double Graph::YToVal(std::int32_t py) {
  if (GHeight <= 0) throw GraphError("XToVal: Graph is not defined.");
  const double v = (GTop + GHeight - py) / YVToPix + YMin;
  if (v > YMin - fw::Abs(YMin) * 0.00001 && v < YMax + fw::Abs(YMax) * 0.00001) return v;
  RErr = true;
  return 0;
}

// ---- primitives ----

void Graph::DrawPoint(double x, double y) {
  const bool before = RErr;
  RErr = false;
  const std::int32_t px = XCoord(x);
  const std::int32_t py = YCoord(y);
  if (!RErr && GX) GX->FillOval(px - 2, py - 2, 5, 5);
  RErr = before || RErr;
}

void Graph::DrawLine(double x1, double y1, double x2, double y2) {
  const bool before = RErr;
  RErr = false;
  const std::int32_t px1 = XCoord(x1);
  const std::int32_t px2 = XCoord(x2);
  const std::int32_t py1 = YCoord(y1);
  const std::int32_t py2 = YCoord(y2);
  if (!RErr && GX) GX->DrawLine(px1, py1, px2, py2);
  RErr = before || RErr;
}

void Graph::CurveStart(double x, double y) {
  PrevCurvH = XCoord(x);
  PrevCurvV = YCoord(y);
}

void Graph::CurveTo(double x, double y) {
  const bool before = RErr;
  RErr = false;
  const std::int32_t px = XCoord(x);
  const std::int32_t py = YCoord(y);
  if (!RErr && GX) GX->DrawLine(PrevCurvH, PrevCurvV, px, py);
  PrevCurvH = px;
  PrevCurvV = py;
  RErr = before || RErr;
}

void Graph::DrawXUBar(double x, double y, double plus, double minus) {
  const bool before = RErr;
  XCoord(x);
  RErr = false;
  const std::int32_t py = YCoord(y);
  // A NaN end has no place on the axis: the bar is left out like an off-axis one.
  if (RErr || std::isnan(x - minus) || std::isnan(x + plus) || !GX) {
    RErr = true;
    return;
  }
  const std::int32_t pl = XCoord(x - minus);
  const bool leftCut = RErr;
  if (!leftCut) GX->DrawLine(pl, py + 3, pl, py - 3);
  RErr = false;
  const std::int32_t pr = XCoord(x + plus);
  const bool rightCut = RErr;
  if (!rightCut) GX->DrawLine(pr, py + 3, pr, py - 3);
  if (!(leftCut && rightCut && pl == pr)) GX->DrawLine(pl, py, pr, py);
  RErr = before || leftCut || rightCut;
}

void Graph::DrawYUBar(double x, double y, double plus, double minus) {
  const bool before = RErr;
  YCoord(y);
  RErr = false;
  const std::int32_t px = XCoord(x);
  if (RErr || std::isnan(y - minus) || std::isnan(y + plus) || !GX) {
    RErr = true;
    return;
  }
  const std::int32_t pb = YCoord(y - minus);
  const bool lowCut = RErr;
  if (!lowCut) GX->DrawLine(px + 3, pb, px - 3, pb);
  RErr = false;
  const std::int32_t pt = YCoord(y + plus);
  const bool highCut = RErr;
  if (!highCut) GX->DrawLine(px + 3, pt, px - 3, pt);
  if (!(lowCut && highCut && pb == pt)) GX->DrawLine(px, pb, px, pt);
  RErr = before || lowCut || highCut;
}

void Graph::DrawShape(double x, double y, std::int32_t shape) {
  const bool before = RErr;
  RErr = false;
  const std::int32_t px = XCoord(x);
  const std::int32_t py = YCoord(y);
  if (!RErr && GX) {
    const auto diagonal = [&] {
      GX->DrawLine(px - 2, py - 2, px + 2, py + 2);
      GX->DrawLine(px - 2, py + 2, px + 2, py - 2);
    };
    const auto upright = [&] {
      GX->DrawLine(px, py - 3, px, py + 3);
      GX->DrawLine(px - 3, py, px + 3, py);
    };
    switch (shape) {
      case 1:
        GX->DrawOval(px - 2, py - 2, 5, 5);
        break;
      case 2:
        GX->FillRect(px - 2, py - 2, 5, 5);
        break;
      case 3:
        GX->DrawRect(px - 2, py - 2, 4, 4);
        break;
      case 4:
        diagonal();
        break;
      case 5:
        upright();
        break;
      case 6:
        GX->DrawOval(px - 3, py - 3, 7, 7);
        diagonal();
        break;
      case 7:
        GX->DrawOval(px - 3, py - 3, 7, 7);
        upright();
        break;
      case 8:
        GX->FillPolygon(px - 4, py - 3, px, py + 4, px + 4, py - 3);
        break;
      case 9:
        GX->DrawPolygon(px - 3, py - 2, px, py + 3, px + 3, py - 2);
        break;
      default:
        GX->FillOval(px - 2, py - 2, 5, 5);
        break;
    }
  }
  RErr = before || RErr;
}

void Graph::DrawVector(double x, double y, double dx, double dy) {
  bool before = RErr;
  RErr = false;
  const double hx = dx * XVtoPix;
  const double hy = dy * YVToPix;
  const double len = fw::Sqrt(hx * hx + hy * hy);
  const double k = len > 20 ? 10 / len : 0.5;
  const bool known = !std::isnan(x) && !std::isnan(y) && !std::isnan(x + dx) && !std::isnan(y + dy);
  if (len > 2 && known) {
    const std::int32_t x1 = XCoord(x);
    const std::int32_t y1 = YCoord(y);
    const std::int32_t x2 = XCoord(x + dx);
    const std::int32_t y2 = YCoord(y + dy);
    if (GX) GX->DrawLine(x1, y1, x2, y2);
    before = before || RErr;
    RErr = false;
  }
  const std::int32_t tx = XCoord(x + dx);
  const std::int32_t ty = YCoord(y + dy);
  if (len > 10 && !RErr && GX) {
    const std::int32_t ax = tx + RoundInt(-k * hx - 0.5 * k * hy);
    const std::int32_t ay = ty - RoundInt(-k * hy + 0.5 * k * hx);
    const std::int32_t bx = ax + RoundInt(k * hy);
    const std::int32_t by = ay + RoundInt(k * hx);
    GX->FillPolygon(tx, ty, ax, ay, bx, by);
  }
  RErr = before || RErr;
}

void Graph::DrawBar(double x, double y, double w) {
  const std::int32_t left = XCoord(x - w / 2);
  const std::int32_t right = XCoord(x + w / 2);
  const std::int32_t base = YCoord(0);
  const std::int32_t top = YCoord(y);
  if (std::isnan(x) || std::isnan(y) || std::isnan(w) || !GX) return;
  if (left == right || base == top) return;
  // The rectangle between the zero row and the row of y, whichever side of zero y lies.
  const std::int32_t rx = std::min(left, right);
  const std::int32_t ry = std::min(base, top);
  const std::int32_t rw = std::abs(right - left);
  const std::int32_t rh = std::abs(top - base);
  if (GX->ForeColor == CBlack) {
    GX->DrawRect(rx, ry, rw, rh);
  } else {
    const fw::Color was = GX->ForeColor;
    GX->FillRect(rx, ry, rw, rh);
    SetColor(CBlack);
    GX->DrawRect(rx, ry, rw, rh);
    SetColor(was);
  }
}

// ---- equal scales, redrawing, resizing, scrolling, printing ----

void Graph::DefSqGraph(double a, double b) {
  if (!GX) throw GraphError("DefSqGraph: Graph is not open.");
  zDefineGRect(a, b, a, b);
  const bool horizontal = YVToPix < XVtoPix;
  const double target = horizontal ? YVToPix : XVtoPix;
  const auto scale = [&] { return horizontal ? XVtoPix : YVToPix; };
  const auto define = [&](double lo, double hi) {
    if (horizontal) {
      zDefineXAxis(lo, hi);
    } else {
      zDefineYAxis(lo, hi);
    }
  };
  double lo = horizontal ? XMin : YMin;
  double hi = horizontal ? XMax : YMax;
  // Each end moves in proportion to its magnitude, so an end at 0 stays put.
  const double weightLo = fw::Abs(lo) / (fw::Abs(lo) + fw::Abs(hi));
  const double weightHi = 1 - weightLo;
  const double grow = (scale() / target - 1) * (hi - lo);
  lo -= grow * weightLo;
  hi += grow * weightHi;
  define(lo, hi);
  // Rounding the ends outward can leave the axis too long: narrow the asked range, never
  // the rounded one (which would only round out again), in a bounded number of steps.
  const bool adjust = ((horizontal ? XFlags : YFlags) & kAdjust) != 0;
  for (int step = 0; adjust && scale() < target && step < 200; ++step) {
    const double cut = 0.03 * (hi - lo);
    const double nlo = lo + cut * weightLo;
    const double nhi = hi - cut * weightHi;
    if (!(nlo < nhi)) break;
    lo = nlo;
    hi = nhi;
    define(lo, hi);
  }
  if (horizontal) {
    const std::int32_t w = std::min(fw::ToInt32(YVToPix * (XMax - XMin)), GWidth);
    GLeft += RoundInt(0.5 * (GWidth - w));
    GWidth = w;
    XVtoPix = YVToPix;
  } else {
    const std::int32_t h = std::min(fw::ToInt32(XVtoPix * (YMax - YMin)), GHeight);
    GTop += RoundInt(0.5 * (GHeight - h));
    GHeight = h;
    YVToPix = XVtoPix;
  }
  DrawFrameAndAxes(0);
}

void Graph::ReDrawAll() {
  if (GWidth == 0) throw GraphError("ReDrawAll: Graph has not been defined");
  DefineGraph(XMin, XMax, YMin, YMax);
  GetContent();
}

void Graph::HandleResize() {
  if (SBH) {
    zSBHAdjust();
  } else {
    FWidth = Width();
  }
  if (SBV) {
    zSBVAdjust();
  } else {
    FHeight = Height();
  }
  if (!SBH || !SBV) {
    // The new picture takes over the text state and colour of the old one.
    const bool hadGraphics = GX != nullptr;
    const fw::Color colour = hadGraphics ? GX->ForeColor : CBlack;
    const std::string font = hadGraphics ? GX->TextFont : std::string("System");
    const int size = hadGraphics ? GX->TextSize : 12;
    const bool bold = hadGraphics && GX->Bold;
    const bool italic = hadGraphics && GX->Italic;
    GX = nullptr;
    GXP = nullptr;
    GXP = fw::NewPicture(FWidth, FHeight, FDepth);
    if (!GXP) throw GraphError("HandleResize: Picture Initialization Failure");
    GX = GXP->GetGraphics();
    if (!GX) throw GraphError("HandleResize: GX Initialization Failure");
    SetColor(colour);
    SetFontInfo(font, size, bold, italic);
    // A canvas without a graph has nothing to redraw: it shows a blank frame.
    if (GWidth == 0) {
      ClearFrame();
    } else {
      ReDrawAll();
    }
  }
  UpdateScreen();
}

void Graph::HandleHScroll(std::int32_t v) {
  ScPixH = v;
  UpdateScreen();
}

void Graph::HandleVScroll(std::int32_t v) {
  ScPixV = v;
  UpdateScreen();
}

void Graph::PrintGraph(fw::Graphics* g) {
  if (!g) return;
  // The canvas draws into its own picture again even when the print fails.
  struct Restore {
    Graph& graph;
    fw::Graphics* screen;
    ~Restore() {
      graph.Printing = false;
      graph.GX = screen;
    }
  } restore{*this, GX};
  GX = g;
  SetFontInfo("System", 12, false, false);
  SetColor(CBlack);
  Printing = true;
  ReDrawAll();
}
