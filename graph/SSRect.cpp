#include "graph/SSRect.h"


#include "framework/EventDispatch.h"
#include "framework/Maths.h"
#include "framework/Text.h"
#include "graph/GraphError.h"
#include "graph/StyledText.h"
#include "window/MainWndo.h"

SSRect::SSRect(fw::Window& window) : fw::Canvas(window) {}

void SSRect::Event_Open() {
  GXP = fw::NewPicture(Width(), Height(), 32);
  GX = GXP ? GXP->GetGraphics() : nullptr;
  CBlack = fw::RGB(0, 0, 0);
  CWhite = fw::RGB(255, 255, 255);
  Printing = false;
  ShowFrame = true;
  SetFontInfo("System", 12, false, false);
  SetColor(CBlack);
  ClearFrame();
  fw::Raise(Open);
  UpdateScreen();
}

bool SSRect::Event_MouseDown(std::int32_t x, std::int32_t y) {
  dragx = x;
  dragy = y;
  return true;
}

void SSRect::Event_MouseDrag(std::int32_t x, std::int32_t y) {
  // Without an owner there is no document to mark changed: the box stays put.
  if (!Owner) return;
  SetLeft(Left() + (x - dragx));
  SetTop(Top() + (y - dragy));
  Owner->Dirty = true;
}

void SSRect::Event_Paint(fw::Graphics& g) {
  if (GXP) g.DrawPicture(*GXP, 0, 0);
}

void SSRect::SetFontInfo(const std::string& font, std::int32_t size, bool bold, bool italic) {
  if (!GX) return;
  if (!font.empty()) GX->TextFont = font;
  if (size != 0) GX->TextSize = size;
  GX->Bold = bold;
  GX->Italic = italic;
}

std::string SSRect::SetSSLineH(const std::string& s, std::int32_t h) {
  LineHeight = h;
  return s;
}

std::int32_t SSRect::GetSSHeight(const std::string&) const { return HaveData ? NumLines * LineHeight : 0; }

std::int32_t SSRect::GetSSWidth(const std::string&) const { return HaveData ? MaxLW : 0; }

void SSRect::SetColor(fw::Color c) {
  if (GX) GX->ForeColor = c;
}

void SSRect::DrawSString(const std::string& s, std::int32_t x, std::int32_t y, std::int32_t mode) {
  if (s.empty() || !GX) return;
  if (HaveData) {
    const std::vector<int> widths(LineWidth.begin(), LineWidth.end());
    StyledText::Draw(*GX, s, x, y, mode, NumLines, LineHeight, widths);
  } else {
    StyledText::Draw(*GX, s, x, y, mode, 0, GX->TextHeight(), {0});
  }
}

void SSRect::ClearFrame() {
  if (!GX || !GXP) return;
  const fw::Color was = GX->ForeColor;
  SetColor(CWhite);
  GX->FillRect(0, 0, GXP->Width(), GXP->Height());
  if (ShowFrame) {
    SetColor(CBlack);
    GX->DrawRect(0, 0, Width(), Height());
  }
  SetColor(was);
}

void SSRect::UpdateScreen() {
  if (Printing || !GXP) return;
  if (fw::Graphics* screen = GetGraphics()) screen->DrawPicture(*GXP, 0, 0);
}

std::string SSRect::SetSString(const std::string& s) {
  if (s.empty()) return "";
  if (!GX) throw GraphError("DrawSString: Graphics target undefined.");
  const StyledText::Layout layout = StyledText::Measure(*GX, s);
  NumLines = layout.NumLines;
  LineHeight = layout.LineHeight;
  MaxLW = layout.MaxWidth;
  LineWidth.assign(layout.Widths.begin(), layout.Widths.end());
  HaveData = true;
  return "@" + GX->TextFont + "@#" + fw::Str(GX->TextSize) + "#" + s;
}

void SSRect::SetText(const std::string& s) {
  if (!GX || !GXP) throw GraphError("DrawSString: Graphics target undefined.");
  theString = SetSString(s);
  SetWidth(fw::ToInt32(fw::Min(GetSSWidth(theString) + 20, GXP->Width())));
  SetHeight(fw::ToInt32(fw::Min(GetSSHeight(theString) + 10, GXP->Height())));
  ClearFrame();
  DrawSString(theString, 10, 2, 7);
  UpdateScreen();
}
