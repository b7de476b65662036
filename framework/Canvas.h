#pragma once

#include <functional>
#include <memory>

#include "framework/Control.h"
#include "framework/Graphics.h"

namespace fw {

// A control the owner draws: Paint draws the whole control into its backing
// surface; GetGraphics draws into that surface directly. Mouse coordinates are
// relative to the control's top-left corner.
class Canvas : public Control {
 public:
  explicit Canvas(Window& window);
  ~Canvas() override;

  // Erases the surface (when EraseBackground) and raises Paint, before returning.
  void Refresh() override;
  // The control's own Graphics: what is drawn shows at once. Its size is the control's.
  Graphics* GetGraphics();

  bool AcceptFocus() const { return acceptFocus_; }
  void SetAcceptFocus(bool accept);
  bool AcceptTabs() const { return acceptTabs_; }
  void SetAcceptTabs(bool accept) { acceptTabs_ = accept; }
  bool EraseBackground() const { return eraseBackground_; }
  void SetEraseBackground(bool erase) { eraseBackground_ = erase; }

  std::function<void(Graphics& g)> Paint;
  // True claims the press: MouseDrag and MouseUp follow until the button is released.
  std::function<bool(int x, int y)> MouseDown;
  std::function<void(int x, int y)> MouseDrag;
  std::function<void(int x, int y)> MouseUp;

  // Overridable reactions; by default they raise the events above.
  virtual void OnPaint(Graphics& g);
  virtual bool OnMouseDown(int x, int y);
  virtual void OnMouseDrag(int x, int y);
  virtual void OnMouseUp(int x, int y);

  // Framework side: the backing surface as an image picture (for painting and tests).
  Picture* Surface();
  void PressMouse(int x, int y);
  void DragMouse(int x, int y);
  void ReleaseMouse(int x, int y);

 private:
  struct Impl;
  void EnsureSurface();
  std::unique_ptr<Impl> impl_;
  bool acceptFocus_ = false;
  bool acceptTabs_ = false;
  bool eraseBackground_ = true;
  bool tracking_ = false;
};

}  // namespace fw
