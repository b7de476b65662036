#pragma once

#include <functional>

#include "framework/Control.h"

namespace fw {

// A horizontal slider. Values are clamped to Minimum..Maximum.
class Slider : public Control {
 public:
  explicit Slider(Window& window);

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
  // With live scrolling, dragging reports every value on the way.
  bool LiveScroll() const;
  void SetLiveScroll(bool live);

  // Every change of the value, by the user or by code.
  std::function<void()> ValueChanged;
};

}  // namespace fw
