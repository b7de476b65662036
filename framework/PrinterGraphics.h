#pragma once

#include <QPainter>
#include <memory>

#include "framework/QtGraphics.h"

class QPrinter;

namespace fw {

// A print job: one painter stays open from the first page to the last, in units
// of 1/72 inch over the printable area; the job ends when this object goes.
class PrinterGraphics : public QtGraphics {
 public:
  // Takes the printer; Begin must succeed before anything is drawn.
  explicit PrinterGraphics(std::unique_ptr<QPrinter> printer);
  ~PrinterGraphics() override;

  bool Begin();

  int Width() const override;
  int Height() const override;
  bool NextPage() override;

  int PageCount() const { return pages_; }

 protected:
  void Paint(const std::function<void(QPainter&)>& draw) override;
  QPaintDevice* MetricsDevice() override;

 private:
  std::unique_ptr<QPrinter> printer_;
  QPainter painter_;
  double scale_ = 1.0;
  int pages_ = 0;
};

}  // namespace fw
