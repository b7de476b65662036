#include "app/AboutWndo.h"

#include "app/MenuBar1.h"
#include "framework/HTMLViewer.h"
#include "framework/ImageWell.h"
#include "framework/MenuBar.h"
#include "framework/Resources.h"

namespace {

struct AboutText {
  bool read = false;
  std::string text;
};

AboutText& CachedText() {
  static AboutText cache;
  return cache;
}

std::shared_ptr<fw::Picture>& CachedLogo() {
  static std::shared_ptr<fw::Picture> logo;
  return logo;
}

}  // namespace

AboutWndo::AboutWndo() : fw::Window(fw::Window::DocumentFrame) {
  Layout();
  CreateControls();
  AddMenuHandlers();
  Open = [this] { Event_Open(); };
  // Copy is enabled only on request; the viewer's text can be copied while it has the focus.
  EnableMenuItems = [this] {
    // There is no document here to save.
    if (fw::MenuItem* saveAs = CurrentMenuBar()->Child("FileSaveAs")) saveAs->SetEnabled(false);
    if (!HTMLViewer1->HasFocus()) return;
    if (fw::MenuItem* copy = CurrentMenuBar()->Child("EditCopy")) copy->Enable();
  };
}

void AboutWndo::Layout() {
  // The menu bar keeps New, Open and Quit at hand while only this window is open.
  SetMenuBar(&MenuBar1());
  SetTitle("About Gradix");
  SetSize(737, 714);
}

void AboutWndo::CreateControls() { _CreateControls0(); }

void AboutWndo::_CreateControls0() {
  ImageWell1 = &Add<fw::ImageWell>("ImageWell1");
  ImageWell1->SetBounds(172, 666, 215, 38);
  ImageWell1->SetImage(MadeWithQuillwordLogo());
  HTMLViewer1 = &Add<fw::HTMLViewer>("HTMLViewer1");
  HTMLViewer1->SetBounds(20, 14, 697, 640);
}

void AboutWndo::AddMenuHandlers() {
  // File > Close and its shortcut close this window as they close a document window.
  AddMenuHandler("FileClose", [this] {
    Close();
    return true;
  });
}

void AboutWndo::Event_Open() { HTMLViewer1->LoadPage(AboutGradix()); }

class AboutWndo& AboutWndo() {
  return fw::SharedWindow<class AboutWndo>();
}

std::string AboutGradix() {
  AboutText& cache = CachedText();
  if (!cache.read) {
    cache.text = fw::GetResource("TEXT", 168);
    cache.read = true;
  }
  return cache.text;
}

std::shared_ptr<fw::Picture> MadeWithQuillwordLogo() {
  std::shared_ptr<fw::Picture>& logo = CachedLogo();
  if (!logo) logo = fw::GetPicture(168);
  return logo;
}
