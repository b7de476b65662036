#include "graph/GraphError.h"

#include <utility>

GraphError::GraphError(std::string m) : fw::RuntimeException(m), msg(std::move(m)) {}

const char* GraphError::what() const noexcept { return msg.c_str(); }
