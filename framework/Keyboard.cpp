#include "framework/Keyboard.h"

#include <Qt>

#include "framework/QtSupport.h"

namespace fw::Keyboard {

bool OptionKey() { return QtSupport::CurrentModifiers() & Qt::AltModifier; }
bool ShiftKey() { return QtSupport::CurrentModifiers() & Qt::ShiftModifier; }
bool ControlKey() { return QtSupport::CurrentModifiers() & Qt::ControlModifier; }
bool CommandKey() { return ControlKey(); }

}  // namespace fw::Keyboard
