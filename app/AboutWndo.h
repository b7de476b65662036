#pragma once

#include <memory>
#include <string>

#include "framework/Window.h"

namespace fw {
class HTMLViewer;
class ImageWell;
class Picture;
}  // namespace fw

// The About window: the About text as an HTML page over the logo. Modeless.
class AboutWndo : public fw::Window {
 public:
  AboutWndo();

  fw::HTMLViewer* HTMLViewer1 = nullptr;
  fw::ImageWell* ImageWell1 = nullptr;

  void Layout();
  void CreateControls();
  void _CreateControls0();
  void AddMenuHandlers();
  void Event_Open();
};

// The single instance, made (and opened) on first use.
class AboutWndo& AboutWndo();

// The About text, read from the resources once; an empty text is kept like any other.
std::string AboutGradix();
// The logo picture; read again on the next call while none could be read.
std::shared_ptr<fw::Picture> MadeWithQuillwordLogo();
