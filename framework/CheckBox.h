#pragma once

#include <functional>
#include <string>

#include "framework/Control.h"

namespace fw {

// A check box; Action runs whenever its value changes, by a click or by code.
class CheckBox : public Control {
 public:
  explicit CheckBox(Window& window);

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  bool Value() const;
  void SetValue(bool checked);

  std::function<void()> Action;

 private:
  std::string caption_;
};

}  // namespace fw
