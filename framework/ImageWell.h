#pragma once

#include <memory>

#include "framework/Control.h"
#include "framework/Graphics.h"

namespace fw {

// Shows a picture centred in the control; nil shows nothing.
class ImageWell : public Control {
 public:
  explicit ImageWell(Window& window);

  const std::shared_ptr<Picture>& Image() const { return image_; }
  void SetImage(std::shared_ptr<Picture> image);

 private:
  std::shared_ptr<Picture> image_;
};

}  // namespace fw
