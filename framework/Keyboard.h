#pragma once

// The modifier keys held now: during an input event, the state that came with it.
// Tests override it with TestHooks::SetModifierKeys.
namespace fw::Keyboard {

bool OptionKey();   // Alt
bool ShiftKey();
bool ControlKey();  // Ctrl
bool CommandKey();  // the menu shortcut key; Ctrl on this platform

}  // namespace fw::Keyboard
