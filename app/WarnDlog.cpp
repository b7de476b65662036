#include "app/WarnDlog.h"

#include <algorithm>
#include <string>

#include "framework/Canvas.h"
#include "framework/Graphics.h"
#include "framework/PushButton.h"
#include "framework/StaticText.h"
#include "framework/Text.h"

namespace {

constexpr int kTextWidth = 300;
constexpr int kTextHeight = 35;
constexpr int kButtonTop = 58;
constexpr int kHeight = 98;

// Lines the text takes when wrapped at blanks within width.
int WrappedLines(fw::Graphics& g, const std::string& text, int width) {
  int lines = 0;
  for (int p = 1; p <= fw::CountFields(text, "\n"); ++p) {
    const std::string paragraph = fw::NthField(text, "\n", p);
    std::string line;
    ++lines;
    for (int i = 1; i <= fw::CountFields(paragraph, " "); ++i) {
      const std::string word = fw::NthField(paragraph, " ", i);
      const std::string longer = line.empty() ? word : line + " " + word;
      if (!line.empty() && g.StringWidth(longer) > width) {
        ++lines;
        line = word;
      } else {
        line = longer;
      }
    }
  }
  return lines;
}

}  // namespace

WarnDlog::WarnDlog() : fw::Window(fw::Window::SheetFrame) {
  Layout();
  CreateControls();
  AddMenuHandlers();
}

void WarnDlog::Layout() {
  SetTitle("Untitled");
  SetSize(383, 98);
}

void WarnDlog::CreateControls() { _CreateControls0(); }

void WarnDlog::_CreateControls0() {
  StaticText1 = &Add<fw::StaticText>("StaticText1");
  StaticText1->SetBounds(69, 12, 300, 35);
  StaticText1->SetMultiLine(true);
  StaticText1->SetText(
      "Be sure to enter your name(s) and the names and units of both variables before entering "
      "data.");

  PBOK = &Add<fw::PushButton>("PBOK");
  PBOK->SetBounds(136, 58, 110, 20);
  PBOK->SetCaption("OK, OK");
  PBOK->SetDefault(true);
  PBOK->Action = [this] { PBOK_Action(); };

  Canvas1 = &Add<fw::Canvas>("Canvas1");
  Canvas1->SetBounds(20, 13, 32, 32);
  Canvas1->Paint = [this](fw::Graphics& g) { Canvas1_Paint(g); };
}

void WarnDlog::PBOK_Action() { Hide(); }

void WarnDlog::Canvas1_Paint(fw::Graphics& g) { g.DrawStopIcon(0, 0); }

void WarnDlog::AddMenuHandlers() {}

void WarnDlog::FitMessage() {
  int height = kTextHeight;
  auto picture = fw::NewPicture(1, 1, 32);
  if (fw::Graphics* g = picture ? picture->GetGraphics() : nullptr) {
    g->TextFont = StaticText1->TextFont();
    g->TextSize = StaticText1->TextSize();
    std::string text = StaticText1->Text();
    for (char& c : text) {
      if (c == '\r') c = '\n';
    }
    height = std::max(kTextHeight, WrappedLines(*g, text, kTextWidth) * g->TextHeight());
  }
  const int extra = height - kTextHeight;
  StaticText1->SetHeight(height);
  PBOK->SetTop(kButtonTop + extra);
  SetSize(Width(), kHeight + extra);
}

class WarnDlog& WarnDlog() {
  return fw::SharedWindow<class WarnDlog>();
}
