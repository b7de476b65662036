#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace fw {
class Graphics;
}

// The styled-string markup, shared by the graph canvas and the text box:
// ^ superscript, _ subscript (one shared shift), ! bold, \ italic, $ Symbol,
// | line break, #size#, @font@, & literal next character, ~ one-pixel space.
// A blank ends a shift and a Symbol run. Measuring and drawing walk the text
// with the same rules; both leave the Graphics' text state as they found it.
class StyledText {
 public:
  struct Layout {
    int NumLines = 0;
    int LineHeight = 0;
    int MaxWidth = 0;
    std::vector<int> Widths;  // one per line
  };

  // Measures s in g's current text state.
  static Layout Measure(fw::Graphics& g, std::string_view s);

  // Draws s at anchor (x, y) by anchor mode 0..9, placing the lines from the
  // given line count, line height and widths (a line without a width has 0).
  static void Draw(fw::Graphics& g, std::string_view s, int x, int y, int mode, int numLines, int lineHeight,
                   const std::vector<int>& widths);

  // Pen position of the first line for an anchor mode.
  static void Anchor(int mode, int x, int y, int numLines, int lineHeight, int firstWidth, int& x0, int& y0);
  // Left end of a line of width w for the mode's justification.
  static int LineStart(int mode, int x, int w);

  // The base size a "#...#" mark sets: Round(Val(text)), kept within 0..255.
  static int SizeFromText(std::string_view text);
};
