#include "fuzz/FuzzApp.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "app/Startup.h"
#include "framework/Application.h"
#include "framework/FileTestHooks.h"
#include "framework/Maths.h"
#include "framework/TestHooks.h"
#include "framework/Window.h"
#include "window/MainWndo.h"

namespace FuzzApp {

namespace {

std::filesystem::path& Folder() {
  static std::filesystem::path folder;
  return folder;
}

// The fuzzer ends the run with exit(), by which time the toolkit's own statics are gone:
// the windows and the framework that outlive them would crash on their way out. The
// folder goes, and the process ends with the fuzzer's status.
void ShutDown(int status, void*) {
  std::error_code ignored;
  std::filesystem::remove_all(Folder(), ignored);
  _exit(status);
}

}  // namespace

void Start(int* argc, char*** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  fw::TestHooks::QuietOffscreenMessages();
  fw::Application::Initialize(*argc, *argv);
  fw::TestHooks::Reset();
  fw::SeedRnd(20261209);
  Startup::_InitFileTypes();
  Startup::_NewAppInstance();
  Startup::_ApplicationAddMenuHandlers();
  // In memory where it can be: every save syncs its file.
  for (const char* base : {"/dev/shm", "/tmp"}) {
    std::string pattern = std::string(base) + "/gradix-fuzz-XXXXXX";
    if (mkdtemp(pattern.data())) {
      Folder() = pattern;
      break;
    }
  }
  if (Folder().empty()) Broken("no folder for the files");
  on_exit(ShutDown, nullptr);
}

std::string PathOf(const std::string& name) { return (Folder() / name).string(); }

std::string WriteFile(const std::string& name, const std::uint8_t* data, std::size_t size) {
  const std::string path = PathOf(name);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  if (!out.flush()) Broken("cannot write " + path);
  return path;
}

MainWndo& LastDocument() {
  MainWndo* last = nullptr;
  for (fw::Window* window : fw::Windows()) {
    if (auto* document = dynamic_cast<MainWndo*>(window); document && !document->IsClosed()) last = document;
  }
  if (!last) Broken("no document window");
  return *last;
}

void CloseAll() {
  fw::TestHooks::DestroyAllWindows();
  fw::TestHooks::ProcessEvents();
  fw::TestHooks::Reset();
  fw::FileTestHooks::ClearChooserAnswer();
}

void Broken(const std::string& what) {
  std::fprintf(stderr, "Broken invariant: %s\n", what.c_str());
  std::fflush(stderr);
  std::abort();
}

}  // namespace FuzzApp
