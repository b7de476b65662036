// Opening a document as File > Open… does, from the file to the window ready: a
// document of 99 full rows saved with both variables calculated and with a fit, so
// that reading calculates both columns and remakes the fit.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "app/App.h"
#include "app/Startup.h"
#include "framework/Application.h"
#include "framework/EditField.h"
#include "framework/FolderItem.h"
#include "framework/Maths.h"
#include "framework/RadioButton.h"
#include "framework/TabPanel.h"
#include "framework/TestHooks.h"
#include "framework/Window.h"
#include "window/MainWndo.h"

namespace {

// The document, written by a window as the user would have left it.
std::string WriteDocument(const std::filesystem::path& folder) {
  MainWndo& w = fw::NewWindow<MainWndo>();
  w.EFNames->SetText("Ann and Bo");
  w.EFHName->SetText("t");
  w.EFHUnits->SetText("s");
  w.EFVName->SetText("d");
  w.EFVUnits->SetText("m");
  fw::TestHooks::ClickTab(*w.TabPanel1, MainWndo::DataPageIndex);
  for (int row = 0; row < 99; ++row) {
    w.Data[0][row][1] = 1.0 + row * 0.25;
    w.Data[0][row][2] = 0.05;
    w.Data[0][row][3] = 3.0 + row * 0.5;
    w.Data[0][row][4] = 0.2;
    for (int col = 1; col <= 4; ++col) w.CellFull[row][col] = true;
  }
  w.EFHFormula->SetText("ln(t)");
  w.RBHCalculated->SetValue(true);
  w.EFVFormula->SetText("ln(d)");
  w.RBVCalculated->SetValue(true);
  w.GotGraph = true;
  w.HaveFit = true;
  const std::string path = (folder / "run.gdx").string();
  w.myFile = std::make_shared<fw::FolderItem>(path);
  w.SetTitle("run.gdx");
  w.Files.DoSave();
  if (w.Dirty) return std::string();
  w.CloseNow();
  fw::TestHooks::ProcessEvents();
  return path;
}

void BM_OpenDocumentCalculatedWithFit(benchmark::State& state) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("gradix-bench-" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  const std::string path = WriteDocument(folder);
  if (path.empty()) {
    state.SkipWithError("the document could not be saved");
    return;
  }
  fw::SeedRnd(1);
  for (auto _ : state) {
    App().Event_OpenDocument(path);
    fw::TestHooks::ProcessEvents();
    state.PauseTiming();
    auto* w = dynamic_cast<MainWndo*>(fw::Windows().back());
    if (!w || !w->HaveFit || !w->CalcOK[1] || !w->CalcOK[3]) state.SkipWithError("the document was not read");
    fw::Windows().back()->CloseNow();
    fw::TestHooks::ProcessEvents();
    state.ResumeTiming();
  }
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_OpenDocumentCalculatedWithFit)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  fw::TestHooks::QuietOffscreenMessages();
  fw::Application::Initialize(argc, argv);
  Startup::_InitFileTypes();
  Startup::_NewAppInstance();
  Startup::_ApplicationAddMenuHandlers();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  fw::TestHooks::DestroyAllWindows();
  Startup::_ReleaseAppInstance();
  fw::Application::Shutdown();
  return 0;
}
