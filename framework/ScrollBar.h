#pragma once

#include <functional>

#include "framework/Control.h"

namespace fw {

// A scroll bar, horizontal when it is wider than high.
class ScrollBar : public Control {
 public:
  explicit ScrollBar(Window& window);

  int Minimum() const;
  void SetMinimum(int minimum);
  int Maximum() const;
  void SetMaximum(int maximum);
  int Value() const;
  // Raises ValueChanged before returning when the value changes.
  void SetValue(int value);
  int LineStep() const;
  void SetLineStep(int step);
  int PageStep() const;
  void SetPageStep(int step);

  std::function<void()> ValueChanged;

 protected:
  void BoundsChanged() override;
};

}  // namespace fw
