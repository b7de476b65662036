#pragma once

#include <functional>
#include <string>

#include "framework/Control.h"

namespace fw {

// A push button. The default button is pressed by a Return or Enter that no field
// consumes, the cancel button by Escape, while they are shown and enabled.
class PushButton : public Control {
 public:
  explicit PushButton(Window& window);

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  bool Default() const { return default_; }
  void SetDefault(bool isDefault);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool isCancel);

  // Presses the button as a click would: raises Action when it is enabled.
  void Push();

  std::function<void()> Action;

 private:
  std::string caption_;
  bool default_ = false;
  bool cancel_ = false;
};

}  // namespace fw
