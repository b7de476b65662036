#pragma once

#include <string>

namespace fw {

// The system clipboard's text.
class Clipboard {
 public:
  static bool TextAvailable();  // the clipboard holds text (an empty text counts as none)
  static std::string Text();
  static void SetText(const std::string& text);
};

}  // namespace fw
