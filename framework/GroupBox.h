#pragma once

#include <string>

#include "framework/Control.h"

namespace fw {

// A titled frame. Its controls keep window coordinates; hiding or disabling the
// group box hides or disables them.
class GroupBox : public Control {
 public:
  explicit GroupBox(Window& window);

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);

 private:
  std::string caption_;
};

}  // namespace fw
