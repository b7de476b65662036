#pragma once

#include <exception>
#include <string>

namespace fw {

// Base of the application's error types. An exception of this kind that leaves an
// event handler is shown through the handler the application installs
// (Application::SetExceptionHandler) instead of ending the program.
class RuntimeException : public std::exception {
 public:
  RuntimeException() = default;
  explicit RuntimeException(std::string message) : Message(std::move(message)) {}
  ~RuntimeException() override = default;

  const char* what() const noexcept override { return Message.c_str(); }

  std::string Message;
};

}  // namespace fw
