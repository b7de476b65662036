#pragma once

#include <memory>

#include "framework/Graphics.h"

namespace fw {

// Asks the user for a printer and starts a job. The Graphics draws on its pages in
// units of 1/72 inch; NextPage starts a new page, and the job is printed when the last
// reference goes. Nil when the dialog is cancelled or the printer cannot be opened.
std::shared_ptr<Graphics> OpenPrinterDialog();

}  // namespace fw
