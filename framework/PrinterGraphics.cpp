#include "framework/PrinterGraphics.h"

#include <QPrinter>
#include <cmath>

namespace fw {

PrinterGraphics::PrinterGraphics(std::unique_ptr<QPrinter> printer) : printer_(std::move(printer)) {}

PrinterGraphics::~PrinterGraphics() {
  if (painter_.isActive()) painter_.end();
}

bool PrinterGraphics::Begin() {
  if (!printer_ || !painter_.begin(printer_.get())) return false;
  // Without it a PDF holds pictures as JPEG, which blurs their lines and letters.
  painter_.setRenderHint(QPainter::LosslessImageRendering);
  scale_ = printer_->resolution() / 72.0;
  pages_ = 1;
  return true;
}

int PrinterGraphics::Width() const {
  return static_cast<int>(std::floor(printer_->pageLayout().paintRect(QPageLayout::Point).width()));
}

int PrinterGraphics::Height() const {
  return static_cast<int>(std::floor(printer_->pageLayout().paintRect(QPageLayout::Point).height()));
}

bool PrinterGraphics::NextPage() {
  if (!painter_.isActive() || !printer_->newPage()) return false;
  ++pages_;
  return true;
}

void PrinterGraphics::Paint(const std::function<void(QPainter&)>& draw) {
  if (!painter_.isActive()) return;
  painter_.save();
  painter_.scale(scale_, scale_);
  draw(painter_);
  painter_.restore();
}

QPaintDevice* PrinterGraphics::MetricsDevice() { return printer_.get(); }

}  // namespace fw
