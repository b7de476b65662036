#pragma once

#include "framework/Window.h"

namespace fw {
class Canvas;
class Graphics;
class PushButton;
class StaticText;
}  // namespace fw

// The message dialog: a stop icon, one message and one button.
class WarnDlog : public fw::Window {
 public:
  WarnDlog();

  fw::StaticText* StaticText1 = nullptr;
  fw::PushButton* PBOK = nullptr;
  fw::Canvas* Canvas1 = nullptr;

  void Layout();
  void CreateControls();
  void _CreateControls0();
  void PBOK_Action();
  void Canvas1_Paint(fw::Graphics& g);
  void AddMenuHandlers();
  // Grows the dialog when the message needs more lines than the text area holds.
  void FitMessage();
};

// The shared instance; a further one while it is showing for another window.
class WarnDlog& WarnDlog();
