#include "framework/QtGraphics.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPainter>
#include <QPolygon>
#include <algorithm>

#include "framework/QtPicture.h"
#include "framework/SymbolFont.h"

namespace fw {

namespace {

constexpr int kDefaultTextSize = 12;

QColor ToQColor(const Color& c) { return QColor(c.r, c.g, c.b); }

QPen LinePen(const Color& c) {
  QPen pen(ToQColor(c));
  pen.setWidth(1);
  pen.setCapStyle(Qt::SquareCap);
  pen.setJoinStyle(Qt::MiterJoin);
  return pen;
}

}  // namespace

QFont QtGraphics::CurrentFont() const {
  // "System", "Helvetica" and the Symbol translation all draw in one face with Greek.
  QString family = QString::fromStdString(TextFont);
  if (family.isEmpty() || SymbolFont::IsSymbolFont(TextFont) ||
      family.compare(QLatin1String("System"), Qt::CaseInsensitive) == 0 ||
      family.compare(QLatin1String("Helvetica"), Qt::CaseInsensitive) == 0) {
    family = QStringLiteral("DejaVu Sans");
  }
  QFont font(family);
  font.setPixelSize(TextSize > 0 ? TextSize : kDefaultTextSize);
  font.setBold(Bold);
  font.setItalic(Italic);
  return font;
}

QString QtGraphics::DisplayText(const std::string& text) const {
  if (SymbolFont::IsSymbolFont(TextFont)) return QString::fromStdString(SymbolFont::ToUnicode(text));
  return QString::fromStdString(text);
}

void QtGraphics::DrawLine(int x1, int y1, int x2, int y2) {
  Paint([&](QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing, false);
    if (x1 == x2 && y1 == y2) {
      p.fillRect(QRect(x1, y1, 1, 1), ToQColor(ForeColor));
      return;
    }
    p.setPen(LinePen(ForeColor));
    p.drawLine(x1, y1, x2, y2);
  });
}

void QtGraphics::DrawRect(int x, int y, int w, int h) {
  if (w <= 0 || h <= 0) return;
  // Four filled edges cover exactly w by h on a pixel grid and at any printer scale.
  Paint([&](QPainter& p) {
    QColor c = ToQColor(ForeColor);
    p.fillRect(QRect(x, y, w, 1), c);
    p.fillRect(QRect(x, y + h - 1, w, 1), c);
    p.fillRect(QRect(x, y, 1, h), c);
    p.fillRect(QRect(x + w - 1, y, 1, h), c);
  });
}

void QtGraphics::FillRect(int x, int y, int w, int h) {
  if (w <= 0 || h <= 0) return;
  Paint([&](QPainter& p) { p.fillRect(QRect(x, y, w, h), ToQColor(ForeColor)); });
}

void QtGraphics::DrawOval(int x, int y, int w, int h) {
  if (w <= 0 || h <= 0) return;
  Paint([&](QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(LinePen(ForeColor));
    p.setBrush(Qt::NoBrush);
    // A 1-pixel pen adds one pixel to the ellipse's rectangle.
    p.drawEllipse(QRect(x, y, w - 1, h - 1));
  });
}

void QtGraphics::FillOval(int x, int y, int w, int h) {
  if (w <= 0 || h <= 0) return;
  Paint([&](QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing, false);
    // Outline and inside together, so a filled oval covers the pixels its outline would.
    p.setPen(LinePen(ForeColor));
    p.setBrush(ToQColor(ForeColor));
    p.drawEllipse(QRect(x, y, w - 1, h - 1));
  });
}

void QtGraphics::DrawString(const std::string& text, int x, int baselineY) {
  if (text.empty()) return;
  QString shown = DisplayText(text);
  QFont font = CurrentFont();
  Paint([&](QPainter& p) {
    p.setFont(font);
    p.setPen(ToQColor(ForeColor));
    p.drawText(QPointF(x, baselineY), shown);
  });
}

double QtGraphics::StringWidth(const std::string& text) {
  if (text.empty()) return 0.0;
  return QFontMetricsF(CurrentFont(), MetricsDevice()).horizontalAdvance(DisplayText(text));
}

int QtGraphics::TextHeight() { return QFontMetrics(CurrentFont(), MetricsDevice()).height(); }

int QtGraphics::TextAscent() { return QFontMetrics(CurrentFont(), MetricsDevice()).ascent(); }

int QtGraphics::StringHeight(const std::string& text, int wrapWidth) {
  QFontMetrics metrics(CurrentFont(), MetricsDevice());
  if (text.empty()) return metrics.height();
  QRect area(0, 0, std::max(wrapWidth, 1), 1 << 24);
  return metrics.boundingRect(area, Qt::TextWordWrap, DisplayText(text)).height();
}

void QtGraphics::FillPolygon(int x1, int y1, int x2, int y2, int x3, int y3) {
  Paint([&](QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(LinePen(ForeColor));
    p.setBrush(ToQColor(ForeColor));
    p.drawPolygon(QPolygon({QPoint(x1, y1), QPoint(x2, y2), QPoint(x3, y3)}));
  });
}

void QtGraphics::DrawPicture(const Picture& picture, int x, int y, int w, int h, int srcX, int srcY) {
  const auto* qtPicture = dynamic_cast<const QtPicture*>(&picture);
  if (qtPicture == nullptr) return;
  const QImage& image = qtPicture->Image();
  QRect wanted(srcX, srcY, w < 0 ? image.width() : w, h < 0 ? image.height() : h);
  QRect source = wanted.intersected(image.rect());
  if (source.isEmpty()) return;
  QRect target(x + source.x() - srcX, y + source.y() - srcY, source.width(), source.height());
  // Drawing an image into itself would read pixels that the same call is overwriting.
  QImage copy;
  const QImage* drawn = &image;
  if (TargetImage() == &image) {
    copy = image.copy(source);
    drawn = &copy;
    source.moveTo(0, 0);
  }
  Paint([&](QPainter& p) { p.drawImage(target, *drawn, source); });
}

void QtGraphics::DrawStopIcon(int x, int y) {
  Paint([&](QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing, false);
    QPolygon octagon;
    octagon << QPoint(x + 9, y) << QPoint(x + 22, y) << QPoint(x + 31, y + 9) << QPoint(x + 31, y + 22)
            << QPoint(x + 22, y + 31) << QPoint(x + 9, y + 31) << QPoint(x, y + 22) << QPoint(x, y + 9);
    p.setPen(QPen(QColor(120, 0, 0), 1));
    p.setBrush(QColor(204, 0, 0));
    p.drawPolygon(octagon);
    QColor white(255, 255, 255);
    p.fillRect(QRect(x + 14, y + 6, 4, 14), white);
    p.fillRect(QRect(x + 14, y + 23, 4, 4), white);
  });
}

}  // namespace fw
