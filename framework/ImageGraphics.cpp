#include "framework/ImageGraphics.h"

#include <QPainter>

namespace fw {

void ImageGraphics::Paint(const std::function<void(QPainter&)>& draw) {
  if (image_.isNull()) return;
  QPainter painter(&image_);
  draw(painter);
}

}  // namespace fw
