#include "framework/ImageWell.h"

#include <QLabel>
#include <QPixmap>

#include "framework/ImageGraphics.h"
#include "framework/QtPicture.h"

namespace fw {

ImageWell::ImageWell(Window& window) : Control(window) {
  auto* label = new QLabel;
  label->setAlignment(Qt::AlignCenter);
  SetWidget(label);
}

void ImageWell::SetImage(std::shared_ptr<Picture> image) {
  image_ = std::move(image);
  auto* label = static_cast<QLabel*>(Widget());
  if (!image_) {
    label->clear();
    return;
  }
  if (auto* picture = dynamic_cast<QtPicture*>(image_.get())) {
    label->setPixmap(QPixmap::fromImage(picture->Image()));
    return;
  }
  QImage copy(image_->Width(), image_->Height(), QImage::Format_ARGB32_Premultiplied);
  copy.fill(Qt::white);
  ImageGraphics g(copy);
  g.DrawPicture(*image_, 0, 0);
  label->setPixmap(QPixmap::fromImage(copy));
}

}  // namespace fw
