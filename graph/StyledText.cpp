#include "graph/StyledText.h"

#include <algorithm>
#include <cmath>

#include "framework/Graphics.h"
#include "framework/Maths.h"
#include "framework/Text.h"

namespace {

constexpr double kShiftSize = 0.72;
constexpr double kShiftRise = 0.3;
constexpr double kItalicLean = 0.2;

int RoundInt(double v) { return fw::ToInt32(fw::Round(v)); }

// One walk over the markup. Positions are characters; markup marks are ASCII,
// so a mark is recognised by its single byte and every other character is text.
class Scan {
 public:
  Scan(fw::Graphics& g, std::string_view s) : g_(g), s_(s) {
    for (std::size_t i = 0; i < s.size(); ++i) {
      if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) starts_.push_back(i);
    }
    starts_.push_back(s.size());
  }

  // Measuring when layout is null, drawing otherwise.
  void Run(StyledText::Layout* measured, int mode, int x, int y, int numLines, int lineHeight,
           const std::vector<int>* widths) {
    const std::string savedFont = g_.TextFont;
    const int savedSize = g_.TextSize;
    const bool savedBold = g_.Bold;
    const bool savedItalic = g_.Italic;

    measuring_ = measured != nullptr;
    named_ = g_.TextFont;
    base_ = g_.TextSize;
    bold_ = g_.Bold;
    italic_ = g_.Italic;
    mode_ = mode;
    ax_ = x;
    lineHeight_ = lineHeight;
    widths_ = widths;
    if (!measuring_) {
      StyledText::Anchor(mode, x, y, numLines, lineHeight, WidthOf(0), x_, y_);
    }

    Walk();

    if (measuring_) {
      lines_.push_back(x_);
      maxWidth_ = std::max(maxWidth_, x_);
      measured->NumLines = static_cast<int>(lines_.size());
      measured->LineHeight = height_;
      measured->MaxWidth = maxWidth_;
      measured->Widths = lines_;
    }
    g_.TextFont = savedFont;
    g_.TextSize = savedSize;
    g_.Bold = savedBold;
    g_.Italic = savedItalic;
  }

 private:
  int Count() const { return static_cast<int>(starts_.size()) - 1; }
  char At(int p) const { return s_[starts_[p]]; }
  std::string Sub(int from, int to) const {
    return std::string(s_.substr(starts_[from], starts_[to] - starts_[from]));
  }
  int WidthOf(int line) const {
    if (!widths_ || line < 0 || line >= static_cast<int>(widths_->size())) return 0;
    return (*widths_)[line];
  }

  // Measures or draws the pending text run [r_, p_).
  void Flush() {
    if (r_ >= p_) return;
    const std::string run = Sub(r_, p_);
    if (!measuring_) g_.DrawString(run, x_, y_);
    x_ += fw::ToInt32(g_.StringWidth(run));
  }

  void EndShift() {
    if (!measuring_) y_ += shift_;
    shift_ = 0;
    g_.TextSize = base_;
  }

  void Walk() {
    const int n = Count();
    p_ = 0;
    r_ = 0;
    while (p_ < n) {
      const char c = At(p_);
      switch (c) {
        case '^':
        case '_':
          Flush();
          if (shift_ == 0) {
            g_.TextSize = RoundInt(base_ * kShiftSize);
            const int rise = RoundInt(base_ * kShiftRise);
            shift_ = c == '^' ? rise : -rise;
            if (!measuring_) y_ -= shift_;
            if (italic_) x_ += (c == '^' ? 1 : -1) * RoundInt(base_ * kItalicLean);
          } else {
            EndShift();
          }
          Next();
          break;
        case ' ':
          if (shift_ != 0 || symbol_) {
            Flush();
            if (shift_ != 0) EndShift();
            if (symbol_) {
              symbol_ = false;
              g_.TextFont = named_;
            }
            r_ = p_;  // the blank starts the next run, in the restored state
            ++p_;
          } else {
            Plain();
          }
          break;
        case '~':
          Flush();
          x_ += 1;
          Next();
          break;
        case '$':
          Flush();
          symbol_ = !symbol_;
          g_.TextFont = symbol_ ? std::string("Symbol") : named_;
          if (symbol_) pendingHeight_ = true;
          Next();
          break;
        case '!':
          Flush();
          bold_ = !bold_;
          g_.Bold = bold_;
          Next();
          break;
        case '\\':
          Flush();
          italic_ = !italic_;
          g_.Italic = italic_;
          Next();
          break;
        case '|':
          Flush();
          BreakLine();
          Next();
          break;
        case '@':
        case '#':
          Flush();
          if (!ReadMark(c)) return;  // an unclosed mark swallows the rest
          break;
        case '&':
          Flush();
          r_ = p_ + 1;
          p_ += 2;
          break;
        default:
          Plain();
          break;
      }
    }
    if (r_ < n) {
      p_ = n;
      Flush();
    }
  }

  void Next() {
    ++p_;
    r_ = p_;
  }

  void Plain() {
    if (measuring_ && pendingHeight_) {
      height_ = std::max(height_, g_.TextHeight());
      pendingHeight_ = false;
    }
    ++p_;
  }

  void BreakLine() {
    if (measuring_) {
      lines_.push_back(x_);
      maxWidth_ = std::max(maxWidth_, x_);
      x_ = 0;
    } else {
      y_ += lineHeight_;
      ++line_;
      x_ = StyledText::LineStart(mode_, ax_, WidthOf(line_));
    }
  }

  bool ReadMark(char mark) {
    const int n = Count();
    int q = p_ + 1;
    while (q < n && At(q) != mark) ++q;
    if (q >= n) {
      p_ = n;
      r_ = n;
      return false;
    }
    const std::string text = Sub(p_ + 1, q);
    if (mark == '@') {
      named_ = text;
      g_.TextFont = text;
    } else {
      base_ = StyledText::SizeFromText(text);
      g_.TextSize = base_;
    }
    pendingHeight_ = true;
    p_ = q + 1;
    r_ = p_;
    return true;
  }

  fw::Graphics& g_;
  std::string_view s_;
  std::vector<std::size_t> starts_;

  bool measuring_ = true;
  std::string named_;
  int base_ = 12;
  bool bold_ = false;
  bool italic_ = false;
  bool symbol_ = false;
  int shift_ = 0;
  int p_ = 0;
  int r_ = 0;
  int x_ = 0;
  int y_ = 0;

  // measuring
  bool pendingHeight_ = true;
  int height_ = 0;
  int maxWidth_ = 0;
  std::vector<int> lines_;

  // drawing
  int mode_ = 0;
  int ax_ = 0;
  int lineHeight_ = 0;
  int line_ = 0;
  const std::vector<int>* widths_ = nullptr;
};

}  // namespace

StyledText::Layout StyledText::Measure(fw::Graphics& g, std::string_view s) {
  Layout layout;
  Scan scan(g, s);
  scan.Run(&layout, 0, 0, 0, 0, 0, nullptr);
  return layout;
}

void StyledText::Draw(fw::Graphics& g, std::string_view s, int x, int y, int mode, int numLines, int lineHeight,
                      const std::vector<int>& widths) {
  if (s.empty()) return;
  Scan scan(g, s);
  scan.Run(nullptr, mode, x, y, numLines, lineHeight, &widths);
}

void StyledText::Anchor(int mode, int x, int y, int numLines, int lineHeight, int firstWidth, int& x0, int& y0) {
  if (mode < 1 || mode > 9) {
    x0 = x;
    y0 = y;
    return;
  }
  x0 = LineStart(mode, x, firstWidth);
  if (mode <= 3) {
    y0 = y - (numLines - 1) * lineHeight;
  } else if (mode <= 6) {
    y0 = y - RoundInt((numLines - 2) * static_cast<double>(lineHeight) / 2.0) - 2;
  } else {
    y0 = y + lineHeight - 2;
  }
}

int StyledText::LineStart(int mode, int x, int w) {
  if (mode < 1 || mode > 9) return x;
  switch ((mode - 1) % 3) {
    case 1:
      return x - RoundInt(w / 2.0);
    case 2:
      return x - w;
    default:
      return x;
  }
}

int StyledText::SizeFromText(std::string_view text) {
  const double v = fw::Round(fw::Val(text));
  if (!(v > 0)) return 0;
  return v >= 255 ? 255 : static_cast<int>(v);
}
