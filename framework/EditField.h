#pragma once

#include <functional>
#include <string>

#include "framework/Control.h"

namespace fw {

// A text field, single-line by default. Positions count characters from 0.
// In a multi-line field, lines are separated by "\n" (a "\r" or "\r\n" given to
// SetText becomes "\n").
class EditField : public Control {
 public:
  explicit EditField(Window& window);
  ~EditField() override;

  std::string Text() const;
  // Raises TextChange before returning when the text changes.
  void SetText(const std::string& text);

  int SelStart() const;
  void SetSelStart(int start);  // also empties the selection
  int SelLength() const;
  void SetSelLength(int length);
  std::string SelText() const;
  void SetSelText(const std::string& text);  // replaces the selection, caret after it
  void SelectAll();

  bool MultiLine() const { return multiLine_; }
  void SetMultiLine(bool multiLine);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool readOnly);
  bool AcceptTabs() const { return acceptTabs_; }
  void SetAcceptTabs(bool accept);
  bool Border() const { return border_; }
  void SetBorder(bool border);
  int TextAlign() const { return textAlign_; }  // 0 left, 1 centre, 2 right
  void SetTextAlign(int align);

  // Every change of the text, by the user or by code.
  std::function<void()> TextChange;

  bool WantsReturn() const override { return multiLine_; }

 private:
  void BuildWidget();
  void TextEdited();

  bool multiLine_ = false;
  bool readOnly_ = false;
  bool acceptTabs_ = false;
  bool border_ = true;
  int textAlign_ = 0;
  std::string lastText_;
};

}  // namespace fw
