#pragma once

#include <string>

#include "framework/Color.h"
#include "framework/Control.h"

namespace fw {

// A caption. "\r", "\r\n" and "\n" break lines; "&&" shows as "&". A caption
// wider than its control is not clipped: the label grows to its text's width
// (a multi-line one to its height), away from its alignment edge.
class StaticText : public Control {
 public:
  explicit StaticText(Window& window);

  const std::string& Text() const { return text_; }
  void SetText(const std::string& text);
  int TextAlign() const { return textAlign_; }  // 0 left, 1 centre, 2 right
  void SetTextAlign(int align);
  // Wraps long lines within the control's width.
  bool MultiLine() const { return multiLine_; }
  void SetMultiLine(bool multiLine);
  Color TextColor() const { return textColor_; }
  void SetTextColor(Color color);

 protected:
  void BoundsChanged() override { FitText(); }
  void FontChanged() override { FitText(); }

 private:
  void FitText();

  std::string text_;
  int textAlign_ = 0;
  bool multiLine_ = false;
  Color textColor_ = RGB(0, 0, 0);
};

}  // namespace fw
