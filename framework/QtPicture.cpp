#include "framework/QtPicture.h"

#include "framework/ImageGraphics.h"

namespace fw {

namespace {

QImage WhiteImage(int w, int h) {
  if (w <= 0 || h <= 0) return QImage();
  QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
  if (!image.isNull()) image.fill(Qt::white);
  return image;
}

}  // namespace

QtPicture::QtPicture(int w, int h, int depth) : QtPicture(WhiteImage(w, h)) { depth_ = depth; }

QtPicture::QtPicture(QImage image)
    : image_(image.isNull() ? QImage() : std::move(image).convertToFormat(QImage::Format_ARGB32_Premultiplied)),
      depth_(32) {
  if (!image_.isNull()) graphics_ = std::make_unique<ImageGraphics>(image_);
}

QtPicture::~QtPicture() = default;

int QtPicture::Width() const { return image_.width(); }
int QtPicture::Height() const { return image_.height(); }
int QtPicture::Depth() const { return depth_; }
Graphics* QtPicture::GetGraphics() { return graphics_.get(); }

std::shared_ptr<Picture> NewPicture(int w, int h, int depth) {
  auto picture = std::make_shared<QtPicture>(w, h, depth);
  if (picture->Image().isNull()) return nullptr;
  return picture;
}

}  // namespace fw
