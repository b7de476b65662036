#pragma once

#include <string>

#include "framework/Control.h"

namespace fw {

// Shows an HTML page given as text; links are not followed.
class HTMLViewer : public Control {
 public:
  explicit HTMLViewer(Window& window);

  void LoadPage(const std::string& html);
  const std::string& PageSource() const { return source_; }
  // The page as the reader sees it, without markup.
  std::string PlainText() const;

 private:
  std::string source_;
};

}  // namespace fw
