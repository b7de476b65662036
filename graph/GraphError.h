#pragma once

#include <string>

#include "framework/RuntimeException.h"

// The one error of the graph canvas and the styled-text box; msg is "Method: fault".
class GraphError : public fw::RuntimeException {
 public:
  // The base keeps the message too: the framework's backstop shows the base's message.
  explicit GraphError(std::string m);
  const char* what() const noexcept override;

  std::string msg;
};
