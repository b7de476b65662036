#include <cstddef>
#include <cstdint>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "framework/FolderItem.h"
#include "framework/Maths.h"
#include "framework/TestHooks.h"
#include "framework/Window.h"
#include "fuzz/FuzzApp.h"
#include "fuzz/WindowState.h"
#include "window/MainWndo.h"

// Reads arbitrary bytes as a document into a new window, as the application opens a
// file it is given. A refused file leaves the window exactly as a new window is, unbound
// from the file; an accepted document, saved and opened again, saves the same lines.

namespace {

const char* const kName = "doc.gdx";

std::string Contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// Saves the window under the name through the window's own save; the file's bytes.
std::string Saved(MainWndo& w, const std::string& name) {
  w.myFile = std::make_shared<fw::FolderItem>(FuzzApp::PathOf(name));
  w.SetTitle(name);
  w.Dirty = true;
  w.Files.DoSave();
  if (w.Dirty) FuzzApp::Broken("a document read could not be saved");
  return Contents(FuzzApp::PathOf(name));
}

// Reads the file into the window as the application opens a document: titled with the
// file's name and bound to it, then read. Every read starts from one seed, so that the
// Monte-Carlo work of reading (calculated columns, a remade fit, which a rare trial can
// fail) is the same for a document and for its saved copy.
void Open(MainWndo& w, const std::string& path) {
  fw::SeedRnd(20261209);
  auto file = std::make_shared<fw::FolderItem>(path);
  w.SetTitle(file->Name());
  w.myFile = file;
  w.Files.DoRead();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  FuzzApp::Start(argc, argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A new window, as a refused file must leave it; it serves again until a file is read.
  static MainWndo* fresh = nullptr;
  static const WindowState refused = [] {
    MainWndo& w = fw::NewWindow<MainWndo>();
    w.SetTitle(kName);
    return WindowState(w);
  }();
  if (!fresh) fresh = &fw::NewWindow<MainWndo>();

  MainWndo& w = *fresh;
  Open(w, FuzzApp::WriteFile(kName, data, size));
  if (!w.myFile) {
    const WindowState after(w);
    if (!(after == refused)) FuzzApp::Broken("a refused file changed its window: " + refused.FirstDifference(after));
    return 0;
  }
  const std::string first = Saved(w, "first.gdx");
  MainWndo& again = fw::NewWindow<MainWndo>();
  Open(again, FuzzApp::PathOf("first.gdx"));
  if (!again.myFile) FuzzApp::Broken("a saved document was refused");
  if (Saved(again, "second.gdx") != first) FuzzApp::Broken("a saved document opened again saves other lines");
  FuzzApp::CloseAll();
  fresh = nullptr;
  return 0;
}
