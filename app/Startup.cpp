#include "app/Startup.h"

#include <memory>

#include "app/App.h"
#include "app/FileTypes.h"
#include "app/MenuBar1.h"

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

void _ReleaseAppInstance() { Instance().reset(); }

}  // namespace Startup
