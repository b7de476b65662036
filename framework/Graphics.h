#pragma once

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

#include "framework/Color.h"

namespace fw {

class Picture;

// A drawing surface: a picture, a control's backing store or a printer page.
// Coordinates and sizes are pixels (printer: 1/72 inch); a rectangle or oval of
// width w covers exactly w pixels, a line includes both end pixels, shapes and
// lines are not antialiased, DrawString places the baseline at y. The text and
// colour properties are read at every drawing call.
class Graphics {
 public:
  virtual ~Graphics() = default;

  Color ForeColor = RGB(0, 0, 0);
  std::string TextFont = "System";
  int TextSize = 12;  // pixels; 0 means the default size of 12
  bool Bold = false;
  bool Italic = false;

  virtual int Width() const = 0;
  virtual int Height() const = 0;

  virtual void DrawLine(int x1, int y1, int x2, int y2) = 0;
  virtual void DrawRect(int x, int y, int w, int h) = 0;
  virtual void FillRect(int x, int y, int w, int h) = 0;
  virtual void DrawOval(int x, int y, int w, int h) = 0;
  virtual void FillOval(int x, int y, int w, int h) = 0;
  virtual void DrawString(const std::string& text, int x, int baselineY) = 0;
  virtual double StringWidth(const std::string& text) = 0;
  virtual int TextHeight() = 0;  // line height of the current font
  virtual int TextAscent() = 0;
  // Draws the part (srcX, srcY, w, h) of a picture at (x, y); w or h below 0 means the picture's size.
  virtual void DrawPicture(const Picture& picture, int x, int y, int w = -1, int h = -1, int srcX = 0,
                           int srcY = 0) = 0;
  virtual void DrawStopIcon(int x, int y) = 0;
  // Height of the text laid out in lines no wider than wrapWidth.
  virtual int StringHeight(const std::string& text, int wrapWidth) {
    (void)text;
    (void)wrapWidth;
    return TextHeight();
  }
  // A triangle's outline: the three lines between its vertices.
  virtual void DrawPolygon(int x1, int y1, int x2, int y2, int x3, int y3) {
    DrawLine(x1, y1, x2, y2);
    DrawLine(x2, y2, x3, y3);
    DrawLine(x3, y3, x1, y1);
  }
  // A filled triangle: the pixels whose centres lie inside it, and its outline.
  virtual void FillPolygon(int x1, int y1, int x2, int y2, int x3, int y3) {
    int top = std::min({y1, y2, y3});
    int bottom = std::max({y1, y2, y3});
    const int xs[3] = {x1, x2, x3};
    const int ys[3] = {y1, y2, y3};
    for (int y = top; y <= bottom; ++y) {
      double left = 1e300, right = -1e300;
      for (int i = 0; i < 3; ++i) {
        int j = (i + 1) % 3;
        if (ys[i] == ys[j]) continue;
        if (y < std::min(ys[i], ys[j]) || y > std::max(ys[i], ys[j])) continue;
        double x = xs[i] + static_cast<double>(y - ys[i]) * (xs[j] - xs[i]) / (ys[j] - ys[i]);
        left = std::min(left, x);
        right = std::max(right, x);
      }
      if (left <= right) {
        int from = static_cast<int>(std::ceil(left));
        int to = static_cast<int>(std::floor(right));
        if (from <= to) FillRect(from, y, to - from + 1, 1);
      }
    }
    DrawPolygon(x1, y1, x2, y2, x3, y3);
  }
  // Printer pages only: ends the page and starts the next; false elsewhere.
  virtual bool NextPage() { return false; }
};

// An offscreen image with its own Graphics.
class Picture {
 public:
  virtual ~Picture() = default;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual int Depth() const = 0;
  virtual Graphics* GetGraphics() = 0;  // nil when the picture cannot be drawn into
};

// A new white picture of w x h pixels and the given depth, or nil when it cannot be made.
std::shared_ptr<Picture> NewPicture(int w, int h, int depth);

}  // namespace fw
