#include "framework/Printer.h"

#include <QApplication>
#include <QPrintDialog>
#include <QPrinter>

#include "framework/FileHookState.h"
#include "framework/PrinterGraphics.h"

namespace fw {

std::shared_ptr<Graphics> OpenPrinterDialog(bool* cancelled) {
  if (cancelled) *cancelled = true;
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  auto& hooks = FileHookState::Get();
  if (hooks.printerHooked) {
    ++hooks.printerCount;
    if (!hooks.printerPdf) return nullptr;
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(QString::fromStdString(*hooks.printerPdf));
  } else {
    QPrintDialog dialog(printer.get(), QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted) return nullptr;
  }
  if (cancelled) *cancelled = false;
  auto graphics = std::make_shared<PrinterGraphics>(std::move(printer));
  if (!graphics->Begin()) return nullptr;
  return graphics;
}

}  // namespace fw
