#include "app/App.h"

#include <memory>

#include "app/AboutWndo.h"
#include "framework/FileChoosers.h"
#include "framework/FolderItem.h"
#include "framework/Window.h"
#include "window/MainWndo.h"

namespace {

void OpenIn(const std::shared_ptr<fw::FolderItem>& item) {
  MainWndo& window = fw::NewWindow<MainWndo>();
  window.SetTitle(item->Name());
  window.myFile = item;
  window.Files.DoRead();
}

}  // namespace

App::App() {
  NewDocument = [this] { Event_NewDocument(); };
  OpenDocument = [this](const std::string& path) { Event_OpenDocument(path); };
}

void App::Event_OpenDocument(const std::string& path) { OpenIn(std::make_shared<fw::FolderItem>(path)); }

void App::Event_NewDocument() { fw::NewWindow<MainWndo>(); }

bool App::_FileNew_Action() {
  Event_NewDocument();
  return false;
}

bool App::_FileOpen_Action() {
  // Asked from a document window, the chooser starts beside its document.
  auto* front = dynamic_cast<MainWndo*>(fw::FrontWindow());
  if (auto item = fw::GetOpenFolderItem("GradixData", front ? front->myFile.get() : nullptr)) OpenIn(item);
  return false;
}

bool App::_AppleAboutGradix_Action() {
  AboutWndo().Show();
  return false;
}

class App& App() {
  return static_cast<class App&>(*fw::Application::Instance());
}
