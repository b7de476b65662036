#pragma once

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "app/App.h"
#include "app/FileTypes.h"
#include "app/Startup.h"
#include "app/WarnDlog.h"
#include "files/ImportSheet.h"
#include "files/SaveQuery.h"
#include "framework/EditField.h"
#include "framework/FileTestHooks.h"
#include "framework/FolderItem.h"
#include "framework/Listbox.h"
#include "framework/Maths.h"
#include "framework/PopupMenu.h"
#include "framework/PushButton.h"
#include "framework/RadioButton.h"
#include "framework/StaticText.h"
#include "framework/TabPanel.h"
#include "framework/TestHooks.h"
#include "framework/Text.h"
#include "framework/Window.h"
#include "support/ChildProcess.h"
#include "window/MainWndo.h"

// What a piece of work costs the process: its processor time (which other work on a loaded
// machine does not lengthen), the bytes it reads from files, and how far it raises the
// process's peak memory.
class ReadCost {
 public:
  double Seconds() const { return ProcessorSeconds() - start_; }
  std::int64_t BytesRead() const { return BytesReadSoFar() - read_; }
  std::int64_t PeakGrowth() const { return PeakMemory() - peak_; }

  static constexpr std::int64_t kMiB = 1 << 20;

 private:
  static std::int64_t BytesReadSoFar() {
    std::ifstream io("/proc/self/io");
    for (std::string key; io >> key;) {
      std::int64_t value = 0;
      io >> value;
      if (key == "rchar:") return value;
    }
    ADD_FAILURE() << "no rchar in /proc/self/io";
    return 0;
  }
  static double ProcessorSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
  }
  static std::int64_t PeakMemory() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<std::int64_t>(usage.ru_maxrss) * 1024;
  }

  double start_ = ProcessorSeconds();
  std::int64_t read_ = BytesReadSoFar();
  std::int64_t peak_ = PeakMemory();
};

// A document window as a user reaches it, a folder of its own for files, and the
// means to answer the dialogs and choosers that saving, opening and importing show.
class FilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fw::TestHooks::Reset();
    fw::SeedRnd(20261209);
    Startup::_InitFileTypes();
    Startup::_NewAppInstance();
    Startup::_ApplicationAddMenuHandlers();
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir = std::filesystem::temp_directory_path() /
          ("gradix-files-" + std::to_string(::getpid()) + "-" + info->name());
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    w = &fw::NewWindow<MainWndo>();
    w->Show();
    fw::TestHooks::ProcessEvents();
  }

  void TearDown() override {
    fw::FileTestHooks::ClearChooserAnswer();
    for (fw::Window* window : fw::Windows()) window->CloseNow();
    fw::TestHooks::ProcessEvents();
    fw::TestHooks::Reset();
    Startup::_ReleaseAppInstance();
    FileTypes::_Release();
    std::filesystem::remove_all(dir);
  }

  std::string Path(const std::string& name) const { return (dir / name).string(); }

  // Fills the "Names" page and goes on to "Data".
  void ToDataPage(MainWndo& window) {
    window.EFNames->SetText("Ann and Bo");
    window.EFHName->SetText("t");
    window.EFHUnits->SetText("s");
    window.EFVName->SetText("d");
    window.EFVUnits->SetText("m");
    fw::TestHooks::ClickTab(*window.TabPanel1, MainWndo::DataPageIndex);
  }
  void ToDataPage() { ToDataPage(*w); }

  // Types a value into a cell and commits it by opening another one.
  void Enter(int row, int col, const std::string& text) {
    w->LBData->EditCell(row, col);
    fw::TestHooks::TypeText(*w->LBData, text);
    w->LBData->EditCell(row, col == 4 ? 3 : col + 1);
  }

  void AnswerWarning() {
    fw::TestHooks::AnswerNextDialog([this](fw::Window& dialog) {
      auto& warn = dynamic_cast<class WarnDlog&>(dialog);
      messages.push_back(warn.StaticText1->Text());
      warn.PBOK->Push();
    });
  }

  // Answers the save question with one of its buttons.
  void AnswerSaveQuery(std::function<fw::PushButton*(class SaveQuery&)> button) {
    fw::TestHooks::AnswerNextDialog([button](fw::Window& dialog) {
      button(dynamic_cast<class SaveQuery&>(dialog))->Push();
    });
  }

  void AnswerImport(std::function<void(class ImportSheet&)> answer) {
    fw::TestHooks::AnswerNextDialog([answer](fw::Window& dialog) {
      answer(dynamic_cast<class ImportSheet&>(dialog));
    });
  }

  // Opens a document as the application does; the new window.
  MainWndo& OpenDocument(const std::string& path) {
    App().Event_OpenDocument(path);
    MainWndo* opened = nullptr;
    for (fw::Window* window : fw::Windows()) {
      if (auto* doc = dynamic_cast<MainWndo*>(window)) opened = doc;
    }
    return *opened;
  }

  static void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  }
  static std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  // The file's lines without their line feeds; a final line feed ends the last line.
  static std::vector<std::string> ReadLines(const std::string& path) {
    std::vector<std::string> lines;
    std::istringstream in(ReadFile(path));
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
  // The names of the files in the test's folder, sorted.
  std::vector<std::string> FileNames() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }
  static void WriteLines(const std::string& path, const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    WriteFile(path, text);
  }
  // Makes the file 512 MiB long with zero bytes after what it holds, taking no room on disk:
  // a disk image, or a document with such a tail.
  static void GrowHuge(const std::string& path) {
    if (!std::filesystem::exists(path)) WriteFile(path, "");
    std::filesystem::resize_file(path, 512 * ReadCost::kMiB);
  }
  // Reading a 512 MiB file is refused or stopped at once: within a second, reading and
  // holding a small part of it.
  static void ExpectCheap(const ReadCost& cost) {
    EXPECT_LT(cost.Seconds(), 1.0);
    EXPECT_LT(cost.BytesRead(), 64 * ReadCost::kMiB);
    EXPECT_LT(cost.PeakGrowth(), 64 * ReadCost::kMiB);
  }

  // From now on, in this process, the nth read of the file fails as a bad block on a disk
  // does (EIO); every other read runs. False where reads cannot be intercepted.
  static bool FailRead(const std::string& path, int nth) {
    struct stat file {};
    if (stat(path.c_str(), &file) != 0) return false;
    return InterceptSystemCalls({SYS_read}, [file, nth, reads = 0](const seccomp_data& call) mutable {
      struct stat opened {};
      if (fstat(static_cast<int>(call.args[0]), &opened) != 0) return 0;
      if (opened.st_dev != file.st_dev || opened.st_ino != file.st_ino) return 0;
      return ++reads == nth ? EIO : 0;
    });
  }

  MainWndo* w = nullptr;
  std::filesystem::path dir;
  std::vector<std::string> messages;
};
