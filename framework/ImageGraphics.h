#pragma once

#include <QImage>

#include "framework/QtGraphics.h"

namespace fw {

// Draws into a QImage owned by someone else (a picture, a control's backing store);
// each call opens and closes its own painter, so the image is always complete.
class ImageGraphics : public QtGraphics {
 public:
  explicit ImageGraphics(QImage& image) : image_(image) {}

  int Width() const override { return image_.width(); }
  int Height() const override { return image_.height(); }

 protected:
  void Paint(const std::function<void(QPainter&)>& draw) override;
  QPaintDevice* MetricsDevice() override { return &image_; }
  const QImage* TargetImage() const override { return &image_; }

 private:
  QImage& image_;
};

}  // namespace fw
