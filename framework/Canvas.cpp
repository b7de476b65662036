#include "framework/Canvas.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

#include "framework/EventDispatch.h"
#include "framework/ImageGraphics.h"
#include "framework/QtPicture.h"

namespace fw {

namespace {

// Draws into the canvas's surface and shows the result.
class SurfaceGraphics : public ImageGraphics {
 public:
  SurfaceGraphics(QImage& image, QWidget* widget) : ImageGraphics(image), widget_(widget) {}

 protected:
  void Paint(const std::function<void(QPainter&)>& draw) override {
    ImageGraphics::Paint(draw);
    widget_->update();
  }

 private:
  QWidget* widget_;
};

class CanvasWidget : public QWidget {
 public:
  explicit CanvasWidget(Canvas* owner) : owner_(owner) { setFocusPolicy(Qt::NoFocus); }

 protected:
  void paintEvent(QPaintEvent*) override {
    Picture* surface = owner_->Surface();
    if (auto* picture = dynamic_cast<QtPicture*>(surface)) {
      QPainter painter(this);
      painter.drawImage(0, 0, picture->Image());
    }
  }
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() != Qt::LeftButton) return;
    const QPoint p = event->position().toPoint();
    owner_->PressMouse(p.x(), p.y());
  }
  void mouseMoveEvent(QMouseEvent* event) override {
    const QPoint p = event->position().toPoint();
    owner_->DragMouse(p.x(), p.y());
  }
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() != Qt::LeftButton) return;
    const QPoint p = event->position().toPoint();
    owner_->ReleaseMouse(p.x(), p.y());
  }

 private:
  Canvas* owner_;
};

}  // namespace

struct Canvas::Impl {
  std::shared_ptr<QtPicture> surface;
  std::unique_ptr<SurfaceGraphics> graphics;
  bool painted = false;
};

Canvas::Canvas(Window& window) : Control(window), impl_(std::make_unique<Impl>()) {
  SetWidget(new CanvasWidget(this));
}

Canvas::~Canvas() = default;

void Canvas::EnsureSurface() {
  const int w = Width() > 0 ? Width() : 1;
  const int h = Height() > 0 ? Height() : 1;
  if (impl_->surface && impl_->surface->Width() == w && impl_->surface->Height() == h) return;
  impl_->graphics.reset();
  impl_->surface = std::make_shared<QtPicture>(w, h, 32);
  impl_->graphics = std::make_unique<SurfaceGraphics>(impl_->surface->Image(), Widget());
  impl_->painted = false;
}

Picture* Canvas::Surface() {
  EnsureSurface();
  if (!impl_->painted) Refresh();
  return impl_->surface.get();
}

Graphics* Canvas::GetGraphics() {
  EnsureSurface();
  return impl_->graphics.get();
}

void Canvas::Refresh() {
  EnsureSurface();
  impl_->painted = true;
  if (eraseBackground_) impl_->surface->Image().fill(Qt::white);
  SurfaceGraphics g(impl_->surface->Image(), Widget());
  Guarded([&] { OnPaint(g); });
  Widget()->update();
}

void Canvas::SetAcceptFocus(bool accept) {
  acceptFocus_ = accept;
  Widget()->setFocusPolicy(accept ? Qt::StrongFocus : Qt::NoFocus);
}

void Canvas::PressMouse(int x, int y) {
  bool claimed = false;
  Guarded([&] { claimed = OnMouseDown(x, y); });
  tracking_ = claimed;
}

void Canvas::DragMouse(int x, int y) {
  if (!tracking_) return;
  Guarded([&] { OnMouseDrag(x, y); });
}

void Canvas::ReleaseMouse(int x, int y) {
  if (!tracking_) return;
  tracking_ = false;
  Guarded([&] { OnMouseUp(x, y); });
}

void Canvas::OnPaint(Graphics& g) { Raise(Paint, g); }
bool Canvas::OnMouseDown(int x, int y) { return RaiseResult(MouseDown, false, x, y); }
void Canvas::OnMouseDrag(int x, int y) { Raise(MouseDrag, x, y); }
void Canvas::OnMouseUp(int x, int y) { Raise(MouseUp, x, y); }

}  // namespace fw
