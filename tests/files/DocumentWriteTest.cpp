#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <optional>
#include <random>
#include <thread>

#include "FilesFixture.h"
#include "graph/SSRect.h"
#include "support/ChildProcess.h"

namespace {

const char* const kSaveProblem = "Save Problem: Could not create file.";

struct stat StatusOf(const std::string& path) {
  struct stat status {};
  EXPECT_EQ(stat(path.c_str(), &status), 0) << path;
  return status;
}

class DocumentWriteTest : public FilesTest {
 protected:
  // A document of 99 full rows saved under the title, then changed: the saved bytes.
  std::string SavedThenChanged(const std::string& title) {
    for (int row = 0; row < 99; ++row) {
      for (int col = 1; col <= 4; ++col) {
        w->Data[0][row][col] = row * 10.0 + col + 0.123456789;
        w->CellFull[row][col] = true;
      }
    }
    w->EFNames->SetText("Ann");
    w->myFile = std::make_shared<fw::FolderItem>(Path(title));
    w->SetTitle(title);
    w->Files.DoSave();
    const std::string saved = ReadFile(w->myFile->Path());
    w->EFNames->SetText("Ann, Bo and Cy");
    return saved;
  }

};

// Sets the home folder for the rest of the scope.
class HomeFolder {
 public:
  explicit HomeFolder(const std::string& path) {
    if (const char* home = std::getenv("HOME")) old_ = home;
    ::setenv("HOME", path.c_str(), 1);
  }
  ~HomeFolder() {
    if (old_) ::setenv("HOME", old_->c_str(), 1);
    else ::unsetenv("HOME");
  }
  HomeFolder(const HomeFolder&) = delete;
  HomeFolder& operator=(const HomeFolder&) = delete;

 private:
  std::optional<std::string> old_;
};

TEST_F(DocumentWriteTest, SaveWritesTheDocumentLineForLine) {
  ToDataPage();
  w->PUHFormat->SetListIndex(4);
  w->PUVFormat->SetListIndex(9);
  Enter(0, 1, "1.5");
  Enter(0, 2, "0");
  Enter(0, 3, "-0.00012345");
  Enter(1, 1, "123456789012345678");
  w->EFHFormula->SetText("ln(t)");
  ASSERT_EQ(w->EFVFormula->Text(), "ln(d)");
  w->GrfTitle = "!Run 1!";
  w->GrfXUnits = "s";
  w->EFHMin->SetText("0");
  w->EFHMax->SetText("10");
  w->SSTeam->SetLeft(150);
  w->SSTeam->DeFlowered = true;

  fw::FileTestHooks::AnswerNextChooser(Path("run1"));
  fw::TestHooks::ChooseMenu(*w, "FileSave");

  // The file is named after the title, which keeps the chosen name.
  EXPECT_EQ(w->Title(), "run1");
  EXPECT_FALSE(std::filesystem::exists(Path("run1")));
  ASSERT_TRUE(std::filesystem::exists(Path("run1.gdx")));
  EXPECT_EQ(w->myFile->Path(), Path("run1.gdx"));
  EXPECT_EQ(w->myFile->MacCreator(), "qzGX");
  EXPECT_EQ(w->myFile->MacType(), "qzGD");
  EXPECT_FALSE(w->Dirty);
  EXPECT_FALSE(fw::TestHooks::MenuItemEnabled(*w, "FileSave"));

  std::vector<std::string> expected = {
      "Gradix 2.0 File", "Ann and Bo", "t", "s", "d", "m", "4", "9", "false", "false", "ln(t)", "ln(d)",
      "", "!Run 1!", "", "s", "", "", "", "", "0", "10", "", "", "false", "false",
      "150", "109", "true", "206", "541", "false",
      "", "+1.500000000000000e+0", "+0.000000000000000e+0", "-1.234500000000000e-4", "",
      "", "+1.234567890123457e+17", "", "", ""};
  for (int row = 2; row < 99; ++row) expected.insert(expected.end(), 5, "");
  ASSERT_EQ(expected.size(), 527u);
  const std::string text = ReadFile(Path("run1.gdx"));
  EXPECT_EQ(text.back(), '\n');
  EXPECT_EQ(ReadLines(Path("run1.gdx")), expected);
}

TEST_F(DocumentWriteTest, FileNameFollowsTheTitle) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"lab", "lab.gdx"}, {"lab2.gdx", "lab2.gdx"}, {"lab3.txt", "lab3.txt.gdx"}};
  for (const auto& [title, name] : cases) {
    w->myFile = std::make_shared<fw::FolderItem>(Path(title));
    w->SetTitle(title);
    w->Files.DoSave();
    EXPECT_TRUE(std::filesystem::exists(Path(name))) << title;
    EXPECT_EQ(w->myFile->Name(), name);
    EXPECT_EQ(w->Title(), title);
  }
  EXPECT_FALSE(std::filesystem::exists(Path("lab")));
  EXPECT_FALSE(std::filesystem::exists(Path("lab3.txt")));
}

TEST_F(DocumentWriteTest, ASaveThatFailsAtAnyStepLeavesTheOldDocument) {
  using Step = fw::FileTestHooks::SaveStep;
  // Saved under its own name, and under a name that the title changes ("lab" becomes "lab.gdx").
  for (const char* title : {"run.gdx", "lab"}) {
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const std::string old = SavedThenChanged(title);
    if (std::string(title) == "lab") {
      std::filesystem::rename(Path("lab.gdx"), Path("lab"));
      std::filesystem::permissions(Path("lab"), std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
      w->myFile = std::make_shared<fw::FolderItem>(Path("lab"));
    }
    for (Step step : {Step::Write, Step::Sync, Step::Close, Step::Rename, Step::SyncFolder}) {
      messages.clear();
      fw::FileTestHooks::FailNextSaveStep(step);
      AnswerWarning();
      fw::TestHooks::ChooseMenu(*w, "FileSave");
      const std::string at = std::string(title) + " step " + std::to_string(static_cast<int>(step));
      EXPECT_EQ(messages, std::vector<std::string>{kSaveProblem}) << at;
      EXPECT_TRUE(w->Dirty) << at;
      EXPECT_TRUE(fw::TestHooks::MenuItemEnabled(*w, "FileSave")) << at;
      EXPECT_EQ(FileNames(), std::vector<std::string>{w->myFile->Name()}) << at;
      // Once renamed into place the new document is whole; the old one is gone.
      const bool replaced = step == Step::SyncFolder;
      if (replaced) EXPECT_EQ(ReadLines(w->myFile->Path())[1], "Ann, Bo and Cy") << at;
      else EXPECT_EQ(ReadFile(w->myFile->Path()), old) << at;
    }
    fw::TestHooks::ChooseMenu(*w, "FileSave");
    EXPECT_FALSE(w->Dirty);
    EXPECT_EQ(FileNames(), (std::vector<std::string>{std::string(title) == "lab" ? "lab.gdx" : "run.gdx"}));
    EXPECT_EQ(ReadLines(w->myFile->Path())[1], "Ann, Bo and Cy");
    // A private "lab" stays private as "lab.gdx".
    if (std::string(title) == "lab") {
      using std::filesystem::perms;
      EXPECT_EQ(std::filesystem::status(w->myFile->Path()).permissions(), perms::owner_read | perms::owner_write);
    }
  }
}

TEST_F(DocumentWriteTest, ADiskThatFailsLeavesTheOldDocument) {
  const std::string old = SavedThenChanged("run.gdx");
  ASSERT_GT(old.size(), 8192u);
  // Failures of the system calls themselves, for root too: a file-size limit fails the write
  // part way, as a full disk or quota would; fsync reports a disk's write error.
  const std::pair<const char*, std::function<bool()>> failures[] = {
      {"write", [] {
         const rlimit limit{4096, 4096};
         return signal(SIGXFSZ, SIG_IGN) != SIG_ERR && setrlimit(RLIMIT_FSIZE, &limit) == 0;
       }},
      {"fsync", [] { return FailSystemCall(SYS_fsync, EIO); }},
  };
  for (const auto& [call, fail] : failures) {
    EXPECT_EQ(RunInChild([this, &fail] {
                ASSERT_TRUE(fail());
                AnswerWarning();
                fw::TestHooks::ChooseMenu(*w, "FileSave");
                EXPECT_EQ(messages, std::vector<std::string>{kSaveProblem});
                EXPECT_TRUE(w->Dirty);
              }),
              0)
        << call;
    EXPECT_EQ(ReadFile(Path("run.gdx")), old) << call;
    EXPECT_EQ(FileNames(), std::vector<std::string>{"run.gdx"}) << call;
  }
}

TEST_F(DocumentWriteTest, AFileTheUserProtectedIsNotReplaced) {
  // Saved under its own name, and under a name that the title changes ("lab" becomes "lab.gdx").
  for (const std::string title : {"run.gdx", "lab"}) {
    EXPECT_EQ(RunUnprivileged([this, &title](const std::filesystem::path& folder) {
                dir = folder;
                const std::string old = SavedThenChanged(title);
                const std::string name = title == "lab" ? "lab" : "run.gdx";
                if (title == "lab") {
                  std::filesystem::rename(Path("lab.gdx"), Path("lab"));
                  w->myFile = std::make_shared<fw::FolderItem>(Path("lab"));
                }
                // chmod a-w, in a folder the user may write.
                using std::filesystem::perms;
                const perms readOnly = perms::owner_read | perms::group_read | perms::others_read;
                std::filesystem::permissions(Path(name), readOnly);
                AnswerWarning();
                fw::TestHooks::ChooseMenu(*w, "FileSave");
                EXPECT_EQ(messages, std::vector<std::string>{kSaveProblem}) << title;
                EXPECT_TRUE(w->Dirty) << title;
                EXPECT_EQ(ReadFile(Path(name)), old) << title;
                EXPECT_EQ(std::filesystem::status(Path(name)).permissions(), readOnly) << title;
                EXPECT_EQ(FileNames(), std::vector<std::string>{name}) << title;

                fw::FileTestHooks::AnswerNextChooser(Path("copy.gdx"));
                fw::TestHooks::ChooseMenu(*w, "FileSaveAs");
                EXPECT_EQ(messages.size(), 1u) << title;
                EXPECT_FALSE(w->Dirty) << title;
                EXPECT_EQ(ReadLines(Path("copy.gdx"))[1], "Ann, Bo and Cy") << title;
                EXPECT_EQ(ReadFile(Path(name)), old) << title;
              }),
              0)
        << title;
  }
}

TEST_F(DocumentWriteTest, ASaveIntoAFolderThatCannotBeListedIsDone) {
  EXPECT_EQ(RunUnprivileged([this](const std::filesystem::path& folder) {
              dir = folder;
              SavedThenChanged("run.gdx");
              // A drop box: the user may write and enter it, not read it, so it cannot be synced.
              using std::filesystem::perms;
              std::filesystem::permissions(dir, perms::owner_write | perms::owner_exec);
              messages.clear();
              AnswerWarning();
              fw::TestHooks::ChooseMenu(*w, "FileSave");
              EXPECT_EQ(messages, std::vector<std::string>{});
              EXPECT_FALSE(w->Dirty);
              std::filesystem::permissions(dir, perms::owner_all);
              EXPECT_EQ(ReadLines(Path("run.gdx"))[1], "Ann, Bo and Cy");
              EXPECT_EQ(FileNames(), std::vector<std::string>{"run.gdx"});
            }),
            0);
}

TEST_F(DocumentWriteTest, TheLongestNameTheFileSystemTakesCanBeSaved) {
  // Three-byte letters up to the folder's limit: a temporary name is cut in bytes, not letters.
  const auto limit = static_cast<std::size_t>(pathconf(dir.c_str(), _PC_NAME_MAX));
  std::string name;
  while (name.size() + 3 + 4 <= limit) name += "€";
  name += std::string(limit - 4 - name.size(), 'x') + ".gdx";
  ASSERT_EQ(name.size(), limit);
  // With unnamed temporary files, and where the file system has none.
  for (const bool unnamed : {true, false}) {
    EXPECT_EQ(RunInChild([this, &name, unnamed] {
                if (!unnamed) {
                  ASSERT_TRUE(FailSystemCall(SYS_openat, EOPNOTSUPP, 2, O_TMPFILE));
                }
                w->myFile = std::make_shared<fw::FolderItem>(Path(name));
                w->SetTitle(name);
                w->Dirty = true;
                AnswerWarning();
                w->Files.DoSave();
                EXPECT_EQ(messages, std::vector<std::string>{});
                EXPECT_FALSE(w->Dirty);
              }),
              0)
        << unnamed;
    EXPECT_EQ(FileNames(), std::vector<std::string>{name}) << unnamed;
    EXPECT_EQ(ReadLines(Path(name)).size(), 527u) << unnamed;
    std::filesystem::remove(Path(name));
  }
}

TEST_F(DocumentWriteTest, TheLongestNameAFileSystemTakesCanBeSavedWhereItTakesShorterNamesThanItReports) {
  // As some encrypting file systems do: this one reports 255 bytes and takes 200. A name it
  // takes, within 22 bytes of that limit.
  constexpr std::size_t kTaken = 200;
  const auto takesShorterNames = [] {
    const auto tooLong = [](std::uint64_t pointer) {
      const std::string_view path(reinterpret_cast<const char*>(pointer));
      const std::size_t slash = path.rfind('/');
      return path.size() - (slash == std::string_view::npos ? 0 : slash + 1) > kTaken;
    };
    return InterceptSystemCalls({SYS_openat, SYS_linkat, SYS_rename, SYS_renameat, SYS_renameat2},
                                [tooLong](const seccomp_data& call) {
                                  std::uint64_t made = call.args[3];  // linkat, renameat, renameat2
                                  if (call.nr == SYS_openat) {
                                    if ((call.args[2] & O_CREAT) == 0) return 0;
                                    made = call.args[1];
                                  } else if (call.nr == SYS_rename) {
                                    made = call.args[1];
                                  }
                                  return tooLong(made) ? ENAMETOOLONG : 0;
                                });
  };
  std::string name;
  for (int i = 0; i < 40; ++i) name += "€";
  name += std::string(kTaken - 10 - name.size() - 4, 'x') + ".gdx";
  ASSERT_EQ(name.size(), kTaken - 10);
  // With unnamed temporary files, and where the file system has none. The first save is
  // killed before its rename: the file it leaves, under a shorter name, the next save removes.
  for (const bool unnamed : {true, false}) {
    const auto onThatFileSystem = [&] {
      ASSERT_TRUE(takesShorterNames());
      if (!unnamed) {
        ASSERT_TRUE(FailSystemCall(SYS_openat, EOPNOTSUPP, 2, O_TMPFILE));
      }
    };
    EXPECT_EQ(RunInChild([&] {
                onThatFileSystem();
                fw::FileTestHooks::WatchSaveSteps([](fw::FileTestHooks::SaveStep step) {
                  if (step == fw::FileTestHooks::SaveStep::Rename) _exit(0);
                });
                w->myFile = std::make_shared<fw::FolderItem>(Path(name));
                w->SetTitle(name);
                w->Files.DoSave();
              }),
              0)
        << unnamed;
    ASSERT_EQ(FileNames().size(), 1u) << unnamed;
    EXPECT_EQ(ReadLines(Path(FileNames()[0])).size(), 527u) << unnamed;
    EXPECT_EQ(RunInChild([&] {
                onThatFileSystem();
                for (int save = 0; save < 2; ++save) {
                  w->myFile = std::make_shared<fw::FolderItem>(Path(name));
                  w->SetTitle(name);
                  w->Dirty = true;
                  AnswerWarning();
                  w->Files.DoSave();
                  EXPECT_EQ(messages, std::vector<std::string>{}) << "save " << save;
                  EXPECT_FALSE(w->Dirty) << "save " << save;
                }
              }),
              0)
        << unnamed;
    EXPECT_EQ(FileNames(), std::vector<std::string>{name}) << unnamed;
    EXPECT_EQ(ReadLines(Path(name)).size(), 527u) << unnamed;
    std::filesystem::remove(Path(name));
  }
}

TEST_F(DocumentWriteTest, ADocumentKilledWhileSavingIsTheOldOrTheNew) {
  // Two large versions of the document, and the bytes that each saves to.
  const std::string titles[2] = {std::string(300000, 'a'), std::string(300000, 'b')};
  w->myFile = std::make_shared<fw::FolderItem>(Path("run.gdx"));
  w->SetTitle("run.gdx");
  std::string saved[2];
  const auto start = std::chrono::steady_clock::now();
  for (int v : {1, 0}) {
    w->GrfTitle = titles[v];
    w->Files.DoSave();
    saved[v] = ReadFile(Path("run.gdx"));
  }
  const auto saveTime = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start) / 2;

  // Kills land anywhere in the first few saves of each child.
  std::mt19937 random(std::random_device{}());
  std::uniform_int_distribution<long long> delay(0, 3 * saveTime.count() + 2000);
  int kills = 0;
  int whole = 0;
  int cutFilesLeft = 0;
  // Where the file system has no unnamed files, the new file is named from the start.
  const int unnamed = open(dir.c_str(), O_TMPFILE | O_WRONLY, 0600);
  const bool unnamedFiles = unnamed >= 0;
  if (unnamedFiles) close(unnamed);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (kills < 300 && std::chrono::steady_clock::now() < deadline) {
    const pid_t pid = fork();
    if (pid == 0) {
      for (int k = 0;; ++k) {
        w->GrfTitle = titles[k % 2];
        w->Files.DoSave();
      }
    }
    ASSERT_GT(pid, 0);
    std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    ++kills;
    const std::string now = ReadFile(Path("run.gdx"));
    if (now != saved[0] && now != saved[1]) {
      ADD_FAILURE() << "a cut document after " << kills << " kills: " << now.size() << " bytes";
      break;
    }
    ++whole;
    // Beside the document a kill leaves no file at all, or, when it falls between the naming
    // of the new file and its rename, that file whole: never a cut one.
    for (const std::string& name : FileNames()) {
      const std::string text = ReadFile(Path(name));
      if (unnamedFiles && text != saved[0] && text != saved[1]) ++cutFilesLeft;
    }
  }
  EXPECT_EQ(whole, kills);
  EXPECT_EQ(cutFilesLeft, 0);
  // A loaded machine may fit fewer kills into the time.
  EXPECT_GE(kills, 50);
  // The next save removes what the killed saves left.
  w->Files.DoSave();
  EXPECT_EQ(FileNames(), std::vector<std::string>{"run.gdx"});
}

TEST_F(DocumentWriteTest, ASaveRemovesWhatAKilledSaveLeftAndNothingElse) {
  SavedThenChanged("run.gdx");
  // A save killed just before its rename leaves its new file: the name that appeared.
  const auto killedSave = [this] {
    const std::vector<std::string> before = FileNames();
    RunInChild([this] {
      fw::FileTestHooks::WatchSaveSteps([](fw::FileTestHooks::SaveStep step) {
        if (step == fw::FileTestHooks::SaveStep::Rename) _exit(0);
      });
      w->Files.DoSave();
    });
    std::vector<std::string> added;
    for (const std::string& name : FileNames()) {
      if (std::find(before.begin(), before.end(), name) == before.end()) added.push_back(name);
    }
    EXPECT_EQ(added.size(), 1u);
    return added.empty() ? std::string() : added[0];
  };
  // One that a save still running holds locked; one (where root can tell) another user's;
  // one of this user's.
  const std::string locked = killedSave();
  const int running = open(Path(locked).c_str(), O_RDONLY);
  ASSERT_EQ(flock(running, LOCK_EX), 0);
  std::vector<std::string> kept = {"run.gdx", locked};
  if (geteuid() == 0) {
    kept.push_back(killedSave());
    ASSERT_EQ(chown(Path(kept.back()).c_str(), 65534, 65534), 0);
  }
  // One that the user gave a second name, to keep.
  const std::string linked = killedSave();
  ASSERT_EQ(link(Path(linked).c_str(), Path("run backup.gdx").c_str()), 0);
  kept.insert(kept.end(), {linked, "run backup.gdx"});
  const std::string left = killedSave();
  ASSERT_TRUE(std::filesystem::exists(Path(left)));
  // Files of other programs and other documents that look alike: a dated backup, another
  // program's temporary file, another document's killed save.
  const std::vector<std::string> others = {".run.gdx.20240315", ".run.gdx.x7k2m9qa", ".run.gdx.backup",
                                           ".lab.gdx" + left.substr(std::string(".run.gdx").size())};
  for (const std::string& name : others) WriteFile(Path(name), "kept\n");
  kept.insert(kept.end(), others.begin(), others.end());
  std::sort(kept.begin(), kept.end());
  for (int save = 0; save < 2; ++save) {
    w->Dirty = true;
    w->Files.DoSave();
    EXPECT_FALSE(w->Dirty);
    EXPECT_EQ(FileNames(), kept) << "save " << save;
  }
  close(running);
  for (const std::string& name : others) EXPECT_EQ(ReadFile(Path(name)), "kept\n");
}

TEST_F(DocumentWriteTest, ADocumentWrittenInPlaceKeepsItsTextWhenAnyStepFails) {
  if (geteuid() != 0) GTEST_SKIP() << "only root can make files of other users";
  // Another user's document in a folder that every user may write: user 1002 writes it in place.
  char folder[] = "/tmp/gradix-shared-XXXXXX";
  ASSERT_NE(mkdtemp(folder), nullptr);
  ASSERT_EQ(chmod(folder, 0777), 0);
  std::filesystem::remove_all(dir);
  dir = folder;
  const std::string old = SavedThenChanged("run.gdx");
  const std::string path = Path("run.gdx");
  ASSERT_EQ(chown(path.c_str(), 1000, 1000), 0);
  ASSERT_EQ(chmod(path.c_str(), 0666), 0);
  const ino_t inode = StatusOf(path).st_ino;
  const auto saveAs1002 = [this](std::optional<fw::FileTestHooks::SaveStep> failing) {
    return RunInChild([this, failing] {
      ASSERT_TRUE(BecomeUser(1002, 1002));
      if (failing) fw::FileTestHooks::FailNextSaveStep(*failing);
      AnswerWarning();
      fw::TestHooks::ChooseMenu(*w, "FileSave");
      EXPECT_EQ(messages, failing ? std::vector<std::string>{kSaveProblem} : std::vector<std::string>{});
      EXPECT_EQ(w->Dirty, failing.has_value());
    });
  };
  // The new text whole in a file beside it; room for it taken; written over the old text, cut
  // to its length and synced.
  using Step = fw::FileTestHooks::SaveStep;
  for (Step step : {Step::Write, Step::Sync, Step::Reserve, Step::WriteInPlace, Step::Truncate, Step::SyncInPlace}) {
    const int at = static_cast<int>(step);
    EXPECT_EQ(saveAs1002(step), 0) << at;
    EXPECT_EQ(ReadFile(path), old) << at;
    EXPECT_EQ(FileNames(), std::vector<std::string>{"run.gdx"}) << at;
  }
  // Killed while it writes the document, the save leaves the new text whole beside it, which
  // the next save removes.
  EXPECT_EQ(RunInChild([this] {
              ASSERT_TRUE(BecomeUser(1002, 1002));
              fw::FileTestHooks::WatchSaveSteps([](Step step) {
                if (step == Step::Truncate) _exit(0);
              });
              w->Files.DoSave();
            }),
            0);
  const std::vector<std::string> left = FileNames();
  ASSERT_EQ(left.size(), 2u);
  const std::string copy = left[0] == "run.gdx" ? left[1] : left[0];
  EXPECT_EQ(ReadLines(Path(copy)).size(), 527u);
  EXPECT_EQ(ReadLines(Path(copy))[1], "Ann, Bo and Cy");
  EXPECT_EQ(saveAs1002(std::nullopt), 0);
  EXPECT_EQ(ReadLines(path)[1], "Ann, Bo and Cy");
  EXPECT_EQ(FileNames(), std::vector<std::string>{"run.gdx"});
  const struct stat now = StatusOf(path);
  EXPECT_EQ(now.st_ino, inode);
  EXPECT_EQ(now.st_uid, 1000u);
  EXPECT_EQ(now.st_gid, 1000u);
  EXPECT_EQ(now.st_mode & 07777, 0666u);
}

TEST_F(DocumentWriteTest, ASaveThroughLinksWritesTheDocumentThatWasOpened) {
  // Folder s/docs is a link to real/docs, where lab.gdx is a link to ../shared/lab.gdx: the
  // kernel takes that ".." in s/real/docs and reaches s/real/shared/lab.gdx. Another file
  // waits at s/shared/lab.gdx, where the link's text leads from s/docs.
  for (const char* folder : {"s/real/docs", "s/real/shared", "s/shared"}) {
    std::filesystem::create_directories(dir / folder);
  }
  WriteFile(Path("s/shared/lab.gdx"), "unrelated\n");
  SavedThenChanged("lab.gdx");
  std::filesystem::rename(Path("lab.gdx"), Path("s/real/shared/lab.gdx"));
  std::filesystem::create_directory_symlink("real/docs", dir / "s/docs");
  std::filesystem::create_symlink("../shared/lab.gdx", dir / "s/real/docs/lab.gdx");

  MainWndo& opened = OpenDocument(Path("s/docs/lab.gdx"));
  EXPECT_EQ(opened.EFNames->Text(), "Ann");
  opened.EFNames->SetText("Ann and Bo");
  messages.clear();
  AnswerWarning();
  fw::TestHooks::ChooseMenu(opened, "FileSave");
  EXPECT_EQ(messages, std::vector<std::string>{});
  EXPECT_FALSE(opened.Dirty);
  EXPECT_EQ(ReadLines(Path("s/real/shared/lab.gdx"))[1], "Ann and Bo");
  EXPECT_EQ(ReadFile(Path("s/shared/lab.gdx")), "unrelated\n");
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "s/docs"));
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "s/real/docs/lab.gdx"));
  EXPECT_EQ(OpenDocument(Path("s/docs/lab.gdx")).EFNames->Text(), "Ann and Bo");
}

TEST_F(DocumentWriteTest, ALinkedDocumentRenamedAfterItsTitleStaysALink) {
  // "lab" is a link to the document shared/lab; saved, it is named "lab.gdx" after its title.
  std::filesystem::create_directories(dir / "shared");
  const std::string old = SavedThenChanged("lab.gdx");
  std::filesystem::rename(Path("lab.gdx"), Path("shared/lab"));
  std::filesystem::create_symlink("shared/lab", dir / "lab");
  w->myFile = std::make_shared<fw::FolderItem>(Path("lab"));
  w->SetTitle("lab");
  // A save that fails leaves the link as it was.
  fw::FileTestHooks::FailNextSaveStep(fw::FileTestHooks::SaveStep::Write);
  AnswerWarning();
  w->Files.DoSave();
  EXPECT_EQ(messages, std::vector<std::string>{kSaveProblem});
  EXPECT_EQ(FileNames(), (std::vector<std::string>{"lab", "shared"}));
  EXPECT_EQ(std::filesystem::read_symlink(dir / "lab"), "shared/lab");
  EXPECT_EQ(ReadFile(Path("shared/lab")), old);

  w->Files.DoSave();
  EXPECT_FALSE(w->Dirty);
  EXPECT_EQ(FileNames(), (std::vector<std::string>{"lab.gdx", "shared"}));
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "lab.gdx"));
  EXPECT_EQ(std::filesystem::read_symlink(dir / "lab.gdx"), "shared/lab");
  EXPECT_EQ(ReadLines(Path("shared/lab"))[1], "Ann, Bo and Cy");
  EXPECT_EQ(w->myFile->Path(), Path("lab.gdx"));
}

TEST_F(DocumentWriteTest, ASaveGivesTheTypeAndCreatorCodesToTheSavedDocumentOnly) {
  SavedThenChanged("run.gdx");
  const std::string path = Path("run.gdx");
  for (const char* code : {"user.gradix.creator", "user.gradix.type"}) ASSERT_EQ(removexattr(path.c_str(), code), 0);
  // A second name of the old document, which keeps the old version.
  ASSERT_EQ(link(path.c_str(), Path("run 1.gdx").c_str()), 0);
  const auto codes = [](const std::string& file) {
    std::string found;
    for (const char* code : {"user.gradix.creator", "user.gradix.type"}) {
      char value[16];
      const ssize_t n = getxattr(file.c_str(), code, value, sizeof value);
      found += n < 0 ? std::string("-") : std::string(value, static_cast<std::size_t>(n));
    }
    return found;
  };
  fw::FileTestHooks::FailNextSaveStep(fw::FileTestHooks::SaveStep::Rename);
  AnswerWarning();
  w->Files.DoSave();
  EXPECT_EQ(messages, std::vector<std::string>{kSaveProblem});
  EXPECT_EQ(codes(path), "--");

  w->Files.DoSave();
  EXPECT_FALSE(w->Dirty);
  EXPECT_EQ(codes(path), "qzGXqzGD");
  EXPECT_EQ(codes(Path("run 1.gdx")), "--");
  EXPECT_EQ(ReadLines(Path("run 1.gdx"))[1], "Ann");
}

TEST_F(DocumentWriteTest, AnotherFileOfTheTitlesNameIsNeverReplacedUnasked) {
  // The chooser confirmed "old" only; "old.gdx" may be another document.
  WriteFile(Path("old.gdx"), "another document\n");
  WriteFile(Path("old"), "kept\n");
  w->myFile = std::make_shared<fw::FolderItem>(Path("old"));
  w->SetTitle("old");
  w->Dirty = true;
  AnswerWarning();
  w->Files.DoSave();
  EXPECT_EQ(messages, std::vector<std::string>{"Save Problem: Could not create file."});
  EXPECT_TRUE(w->Dirty);
  EXPECT_EQ(w->myFile->Path(), Path("old"));
  EXPECT_EQ(w->Title(), "old");
  EXPECT_EQ(ReadFile(Path("old.gdx")), "another document\n");
  EXPECT_EQ(ReadFile(Path("old")), "kept\n");
}

TEST_F(DocumentWriteTest, AFileThatCannotBeCreatedLeavesTheDocumentChanged) {
  ToDataPage();
  Enter(0, 1, "2");
  w->myFile = std::make_shared<fw::FolderItem>(Path("missing/run.gdx"));
  w->SetTitle("run.gdx");
  AnswerWarning();
  fw::TestHooks::ChooseMenu(*w, "FileSave");
  EXPECT_EQ(messages, std::vector<std::string>{"Save Problem: Could not create file."});
  EXPECT_TRUE(w->Dirty);
  EXPECT_TRUE(fw::TestHooks::MenuItemEnabled(*w, "FileSave"));
  EXPECT_FALSE(std::filesystem::exists(Path("missing")));
  EXPECT_EQ(w->myFile->Path(), Path("missing/run.gdx"));
}

TEST_F(DocumentWriteTest, ALineBreakInATextCannotShiftTheLinesAfterIt) {
  w->GrfTitle = "Run\n1\r2";
  w->myFile = std::make_shared<fw::FolderItem>(Path("run.gdx"));
  w->SetTitle("run.gdx");
  w->Files.DoSave();
  const auto lines = ReadLines(Path("run.gdx"));
  ASSERT_EQ(lines.size(), 527u);
  EXPECT_EQ(lines[13], "Run 1 2");
  EXPECT_EQ(lines[14], "");
}

TEST_F(DocumentWriteTest, ChoosersStartBesideTheDocumentElseInTheLastFolderElseAtHome) {
  fw::FileTestHooks::ClearChooserAnswer();
  const std::string home = Path("home");
  const HomeFolder homeFolder(home);
  std::filesystem::create_directories(dir / "a");
  std::filesystem::create_directories(dir / "b");
  const auto start = [] { return fw::FileTestHooks::LastChooserRequest().startFolder; };

  // Nothing chosen yet in this run: the home folder.
  w->Dirty = true;
  fw::FileTestHooks::AnswerNextChooser(Path("a/first.gdx"));
  ASSERT_TRUE(fw::TestHooks::ChooseMenu(*w, "FileSave"));
  EXPECT_EQ(start(), home);
  ASSERT_TRUE(std::filesystem::exists(Path("a/first.gdx")));

  // A window without a file: the folder last chosen.
  MainWndo& second = fw::NewWindow<MainWndo>();
  fw::FileTestHooks::AnswerNextChooser(Path("b/second.gdx"));
  ASSERT_TRUE(fw::TestHooks::ChooseMenu(second, "FileSaveAs"));
  EXPECT_EQ(start(), Path("a"));

  // A window with a file: the document's own folder, though "b" was chosen last.
  ToDataPage();
  w->Show();
  for (const char* command : {"FileSaveAs", "FileImport", "FileOpen"}) {
    fw::FileTestHooks::AnswerNextChooser(std::nullopt);
    ASSERT_TRUE(fw::TestHooks::MenuItemEnabled(*w, command)) << command;
    fw::TestHooks::ChooseMenu(*w, command);
    EXPECT_EQ(start(), Path("a")) << command;
  }
  second.Show();
  fw::FileTestHooks::AnswerNextChooser(std::nullopt);
  fw::TestHooks::ChooseMenu(second, "FileOpen");
  EXPECT_EQ(start(), Path("b"));
  MainWndo& third = fw::NewWindow<MainWndo>();
  fw::FileTestHooks::AnswerNextChooser(std::nullopt);
  fw::TestHooks::ChooseMenu(third, "FileOpen");
  EXPECT_EQ(start(), Path("b"));
  EXPECT_EQ(fw::FileTestHooks::ChooserCount(), 7);
}

TEST_F(DocumentWriteTest, AValueTypedIntoTheOpenCellIsSaved) {
  ToDataPage();
  w->LBData->EditCell(2, 3);
  fw::TestHooks::TypeText(*w->LBData, "4.25");
  w->myFile = std::make_shared<fw::FolderItem>(Path("run.gdx"));
  w->SetTitle("run.gdx");
  w->Files.DoSave();
  EXPECT_EQ(ReadLines(Path("run.gdx"))[35 + 5 * 2], "+4.250000000000000e+0");
  EXPECT_FALSE(w->Dirty);

  w->LBData->EditCell(3, 3);
  EXPECT_EQ(w->Data[0][2][3], 4.25);
  EXPECT_TRUE(w->CellFull[2][3]);
  EXPECT_FALSE(w->Dirty);
}

}  // namespace
