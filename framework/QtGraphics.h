#pragma once

#include <QFont>
#include <QImage>
#include <QString>
#include <functional>

#include "framework/Graphics.h"

class QPainter;
class QPaintDevice;

namespace fw {

// The drawing operations shared by every surface that a QPainter can draw on;
// a subclass supplies the painter and the surface's size.
class QtGraphics : public Graphics {
 public:
  void DrawLine(int x1, int y1, int x2, int y2) override;
  void DrawRect(int x, int y, int w, int h) override;
  void FillRect(int x, int y, int w, int h) override;
  void DrawOval(int x, int y, int w, int h) override;
  void FillOval(int x, int y, int w, int h) override;
  void DrawString(const std::string& text, int x, int baselineY) override;
  double StringWidth(const std::string& text) override;
  int TextHeight() override;
  int TextAscent() override;
  void DrawPicture(const Picture& picture, int x, int y, int w = -1, int h = -1, int srcX = 0,
                   int srcY = 0) override;
  void DrawStopIcon(int x, int y) override;
  int StringHeight(const std::string& text, int wrapWidth) override;
  void FillPolygon(int x1, int y1, int x2, int y2, int x3, int y3) override;

  // The Qt font for the current TextFont, TextSize, Bold and Italic.
  QFont CurrentFont() const;
  // The text as it is drawn in the current font (Symbol text translated).
  QString DisplayText(const std::string& text) const;

 protected:
  // Runs draw with a painter set up in this surface's units; the painter's state is restored afterwards.
  virtual void Paint(const std::function<void(QPainter&)>& draw) = 0;
  // The device whose font metrics measure text for this surface.
  virtual QPaintDevice* MetricsDevice() = 0;
  // The image being drawn into, when there is one (a picture drawn into itself is copied first).
  virtual const QImage* TargetImage() const { return nullptr; }
};

}  // namespace fw
