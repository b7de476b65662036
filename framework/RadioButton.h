#pragma once

#include <functional>
#include <string>

#include "framework/Control.h"

namespace fw {

// A radio button. The buttons with the same enclosure form one group: turning one
// on turns the others off. Setting Value true from code, or a click, always raises
// Action, even when the button was on already.
class RadioButton : public Control {
 public:
  explicit RadioButton(Window& window);

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  bool Value() const;
  void SetValue(bool on);

  std::function<void()> Action;

 private:
  void TurnOffOthers();
  std::string caption_;
};

}  // namespace fw
