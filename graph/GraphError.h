#pragma once

#include <string>

#include "framework/RuntimeException.h"

// The one error of the graph canvas and the styled-text box; msg is "Method: fault".
class GraphError : public fw::RuntimeException {
 public:
  explicit GraphError(std::string m);
  // The framework's backstop shows what(): it is msg.
  const char* what() const noexcept override;

  std::string msg;
};
