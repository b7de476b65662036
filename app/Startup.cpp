#include "app/Startup.h"

#include <cstdio>
#include <memory>
#include <string>

#include "app/App.h"
#include "app/FileTypes.h"
#include "app/MenuBar1.h"
#include "framework/Window.h"
#include "window/MainWndo.h"

namespace Startup {

namespace {

std::unique_ptr<class App>& Instance() {
  static std::unique_ptr<class App> app;
  return app;
}

}  // namespace

int _Main(int argc, char** argv) {
  fw::Application::Initialize(argc, argv);
  _InitFileTypes();
  _NewAppInstance();
  _ApplicationAddMenuHandlers();
  _InstallErrorReporter();
  const int code = App().Run();
  fw::Application::Shutdown();
  _ReleaseAppInstance();
  FileTypes::_Release();
  return code;
}

void _InitFileTypes() { FileTypes::_Initialize(); }

void _NewAppInstance() {
  Instance() = std::make_unique<class App>();
  Instance()->SetMenuBar(&MenuBar1());
}

void _ApplicationAddMenuHandlers() {
  class App& app = App();
  app.AddMenuHandler("FileNew", [&app] { return app._FileNew_Action(); });
  app.AddMenuHandler("FileOpen", [&app] { return app._FileOpen_Action(); });
  app.AddMenuHandler("AppleAboutGradix", [&app] { return app._AppleAboutGradix_Action(); });
}

void _InstallErrorReporter() {
  fw::Application::SetExceptionHandler([](fw::Window* window, const std::string& message) {
    for (fw::Window* w = window; w; w = w->ModalParent()) {
      if (auto* document = dynamic_cast<MainWndo*>(w); document && !document->IsClosed()) {
        document->CallWarnDialog(message);
        return;
      }
    }
    std::fprintf(stderr, "gradix: %s\n", message.c_str());
  });
}

void _ReleaseAppInstance() { Instance().reset(); }

}  // namespace Startup
