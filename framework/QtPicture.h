#pragma once

#include <QImage>
#include <memory>

#include "framework/Graphics.h"

namespace fw {

class ImageGraphics;

// A picture held in a QImage; its Graphics draws straight into the image.
class QtPicture : public Picture {
 public:
  QtPicture(int w, int h, int depth);
  explicit QtPicture(QImage image);
  ~QtPicture() override;

  int Width() const override;
  int Height() const override;
  int Depth() const override;
  Graphics* GetGraphics() override;

  // The pixels, for blitting in a widget's paintEvent or reading in tests.
  const QImage& Image() const { return image_; }
  QImage& Image() { return image_; }

 private:
  QImage image_;
  int depth_;
  std::unique_ptr<ImageGraphics> graphics_;
};

}  // namespace fw
