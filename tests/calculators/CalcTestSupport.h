#pragma once

#include <functional>
#include <string>

#include "framework/EditField.h"
#include "framework/PushButton.h"
#include "framework/StaticText.h"
#include "framework/TestHooks.h"
#include "framework/Window.h"

inline fw::Window& NewParentWindow() { return fw::NewWindow<fw::Window>(); }

inline std::string LabelText(const fw::Window& w, const std::string& name, int index = -1) {
  return w.Get<fw::StaticText>(name, index).Text();
}

inline fw::EditField& Field(const fw::Window& w, const std::string& name, int index = -1) {
  return w.Get<fw::EditField>(name, index);
}

inline fw::PushButton& Button(const fw::Window& w, const std::string& name) {
  return w.Get<fw::PushButton>(name);
}
