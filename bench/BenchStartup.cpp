// Start-up cost: from process start to the first document window shown, and the
// cost of opening one more document window. The first is measured on a child
// process (this program run with --startup-child), so loading the libraries and
// creating the platform's application count too.
#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <string>

#include "app/App.h"
#include "app/Startup.h"
#include "framework/Application.h"
#include "framework/TestHooks.h"
#include "framework/Window.h"
#include "window/MainWndo.h"

extern char** environ;

namespace {

const char* const kChildFlag = "--startup-child";
std::string selfPath;

long long MonotonicNs() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec;
}

// The start-up sequence up to the first window shown; prints the moment it was shown.
int RunChild(int argc, char** argv) {
  fw::Application::Initialize(argc, argv);
  Startup::_InitFileTypes();
  Startup::_NewAppInstance();
  Startup::_ApplicationAddMenuHandlers();
  App().NewDocument();
  fw::TestHooks::ProcessEvents();
  std::printf("%lld\n", MonotonicNs());
  std::fflush(stdout);
  // Tearing the windows down is not part of start-up.
  _exit(0);
}

void BM_StartupToFirstWindow(benchmark::State& state) {
  for (auto _ : state) {
    int out[2];
    if (pipe(out) != 0) {
      state.SkipWithError("pipe failed");
      return;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    char* args[] = {selfPath.data(), const_cast<char*>(kChildFlag), nullptr};
    pid_t pid = 0;
    const long long start = MonotonicNs();
    const int spawned = posix_spawn(&pid, selfPath.c_str(), &actions, nullptr, args, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    char buffer[64] = {};
    ssize_t got = spawned == 0 ? read(out[0], buffer, sizeof buffer - 1) : -1;
    close(out[0]);
    int status = 0;
    if (spawned == 0) waitpid(pid, &status, 0);
    if (got <= 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError("start-up child failed");
      return;
    }
    const long long shown = std::atoll(buffer);
    state.SetIterationTime(static_cast<double>(shown - start) / 1e9);
  }
}
BENCHMARK(BM_StartupToFirstWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_OpenOneMoreDocumentWindow(benchmark::State& state) {
  static bool started = false;
  if (!started) {
    static int argc = 1;
    static char* argv[] = {selfPath.data(), nullptr};
    fw::Application::Initialize(argc, argv);
    Startup::_InitFileTypes();
    Startup::_NewAppInstance();
    Startup::_ApplicationAddMenuHandlers();
    App().NewDocument();
    fw::TestHooks::ProcessEvents();
    started = true;
  }
  for (auto _ : state) {
    App().NewDocument();
    fw::TestHooks::ProcessEvents();
    state.PauseTiming();
    fw::Windows().back()->CloseNow();
    fw::TestHooks::ProcessEvents();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OpenOneMoreDocumentWindow)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  if (argc > 1 && std::strcmp(argv[1], kChildFlag) == 0) return RunChild(argc, argv);
  selfPath = std::filesystem::read_symlink("/proc/self/exe").string();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
