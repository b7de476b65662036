#pragma once

#include <memory>

#include "framework/Graphics.h"

namespace fw {

// Asks the user for a printer and starts a job. The Graphics draws on its pages in
// units of 1/72 inch; NextPage starts a new page, and the job is printed when the last
// reference goes. Nil when the user cancels the dialog (cancelled, when given, is set
// true) or the chosen printer cannot be opened (cancelled is set false).
std::shared_ptr<Graphics> OpenPrinterDialog(bool* cancelled = nullptr);

}  // namespace fw
