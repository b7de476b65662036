#pragma once

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
