#pragma once

#include <cstdint>

#include "framework/Window.h"

namespace fw {
class Canvas;
class Graphics;
class PushButton;
class StaticText;
}  // namespace fw

// The question before a changed document closes: "Save", "Don't Save" or "Cancel".
class SaveQuery : public fw::Window {
 public:
  SaveQuery();

  // The button last pressed: 0 "Cancel", 1 "Don't Save", 2 "Save". Kept between uses.
  std::int32_t Answer = 0;

  fw::StaticText* StaticText1 = nullptr;
  fw::Canvas* Canvas1 = nullptr;
  fw::PushButton* PBNo = nullptr;
  fw::PushButton* PBCancel = nullptr;
  fw::PushButton* PBSave = nullptr;

  void Layout();
  void CreateControls();
  void _CreateControls0();
  void Canvas1_Paint(fw::Graphics& g);
  void PBNo_Action();
  void PBCancel_Action();
  void PBSave_Action();
  void AddMenuHandlers();
};

// The shared instance, made on first use.
class SaveQuery& SaveQuery();
