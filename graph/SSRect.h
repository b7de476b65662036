#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/Canvas.h"
#include "framework/Color.h"
#include "framework/Graphics.h"

class MainWndo;

namespace fw {
class Window;
}

// A framed box showing one styled string on its own picture, sized to the text
// and dragged with the mouse. The measured layout lives in its fields; its
// measured string is "@font@#size#" + the markup.
class SSRect : public fw::Canvas {
 public:
  explicit SSRect(fw::Window& window);

  fw::Color CBlack = fw::RGB(0, 0, 0);
  fw::Color CWhite = fw::RGB(255, 255, 255);
  bool Printing = false;
  bool ShowFrame = true;
  std::shared_ptr<fw::Picture> GXP;  // of the laid-out size: the largest the box can take
  fw::Graphics* GX = nullptr;
  std::int32_t dragx = 0;
  std::int32_t dragy = 0;
  std::string theString;
  bool DeFlowered = false;
  bool HaveData = false;
  std::int32_t NumLines = 0;
  std::int32_t LineHeight = 0;
  std::int32_t MaxLW = 0;
  std::vector<std::int32_t> LineWidth;
  MainWndo* Owner = nullptr;

  void Event_MouseDrag(std::int32_t x, std::int32_t y);
  bool Event_MouseDown(std::int32_t x, std::int32_t y);
  void Event_Paint(fw::Graphics& g);
  void Event_Open();
  void SetFontInfo(const std::string& font, std::int32_t size, bool bold, bool italic);
  std::string SetSSLineH(const std::string& s, std::int32_t h);
  std::int32_t GetSSHeight(const std::string& s) const;
  std::int32_t GetSSWidth(const std::string& s) const;
  void SetColor(fw::Color c);
  void DrawSString(const std::string& s, std::int32_t x, std::int32_t y, std::int32_t mode);
  void ClearFrame();
  void UpdateScreen();
  std::string SetSString(const std::string& s);
  void SetText(const std::string& s);

 protected:
  // The control's Open event is raised for the owner at the end of the box's own set-up.
  void OnOpen() override { Event_Open(); }
  void OnPaint(fw::Graphics& g) override { Event_Paint(g); }
  bool OnMouseDown(int x, int y) override { return Event_MouseDown(x, y); }
  void OnMouseDrag(int x, int y) override { Event_MouseDrag(x, y); }
};
