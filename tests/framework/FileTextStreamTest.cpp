#include <fcntl.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <optional>
#include <tuple>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <fstream>
#include <sstream>

#include "framework/FileTestHooks.h"
#include "framework/FolderItem.h"
#include "framework/TextInputStream.h"
#include "framework/TextOutputStream.h"
#include "support/ChildProcess.h"

namespace {

class FileTextStreamTest : public ::testing::Test {
 protected:
  QTemporaryDir dir;

  std::string PathOf(const std::string& name) { return dir.filePath(QString::fromStdString(name)).toStdString(); }

  std::string Write(const std::string& name, const std::string& bytes) {
    std::string path = PathOf(name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

  static std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

  static std::vector<std::string> ReadLines(const std::string& path) {
    auto in = fw::TextInputStream::Open(path);
    std::vector<std::string> lines;
    while (in && !in->EndOfFile()) lines.push_back(in->ReadLine());
    return lines;
  }
};

using Lines = std::vector<std::string>;

// The stat of the path; a failed stat fails the test.
struct stat StatusOf(const std::string& path) {
  struct stat st {};
  EXPECT_EQ(stat(path.c_str(), &st), 0) << path;
  return st;
}

std::optional<std::string> Attribute(const std::string& path, const char* name) {
  char value[256];
  const ssize_t n = getxattr(path.c_str(), name, value, sizeof value);
  if (n < 0) return std::nullopt;
  return std::string(value, static_cast<std::size_t>(n));
}

constexpr const char* kAccessList = "system.posix_acl_access";

// A POSIX access list as the kernel keeps it in its attribute: version 2, then per entry a
// 16-bit tag, 16-bit permissions and a 32-bit id, little-endian.
std::string AccessList(std::initializer_list<std::tuple<std::uint16_t, std::uint16_t, std::uint32_t>> entries) {
  std::string bytes;
  const auto put = [&bytes](std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
  };
  put(2, 4);
  for (const auto& [tag, perm, id] : entries) {
    put(tag, 2);
    put(perm, 2);
    put(id, 4);
  }
  return bytes;
}

TEST_F(FileTextStreamTest, ReadsEveryLineEnding) {
  EXPECT_EQ(ReadLines(Write("lf", "a\nb\n\nc")), (Lines{"a", "b", "", "c"}));
  EXPECT_EQ(ReadLines(Write("crlf", "a\r\nb\r\n\r\nc\r\n")), (Lines{"a", "b", "", "c"}));
  EXPECT_EQ(ReadLines(Write("cr", "a\rb\r\rc\r")), (Lines{"a", "b", "", "c"}));
  EXPECT_EQ(ReadLines(Write("mixed", "a\r\nb\rc\nd")), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(ReadLines(Write("empty", "")), Lines{});
  EXPECT_EQ(ReadLines(Write("blank", "\n")), Lines{""});
}

TEST_F(FileTextStreamTest, DropsALeadingByteOrderMarkOnly) {
  EXPECT_EQ(ReadLines(Write("bom", "\xEF\xBB\xBFGradix 2.0 File\r\nx\r\n")), (Lines{"Gradix 2.0 File", "x"}));
  EXPECT_EQ(ReadLines(Write("bomonly", "\xEF\xBB\xBF")), Lines{});
  EXPECT_EQ(ReadLines(Write("inner", "a\n\xEF\xBB\xBF" "b\n")), (Lines{"a", "\xEF\xBB\xBF" "b"}));
  EXPECT_EQ(ReadLines(Write("short", "ab")), Lines{"ab"});
}

TEST_F(FileTextStreamTest, KeepsUtf8AndReplacesInvalidBytes) {
  EXPECT_EQ(ReadLines(Write("utf8", "Δt ± 0,5 µs\nαβ\n")), (Lines{"Δt ± 0,5 µs", "αβ"}));
  EXPECT_EQ(ReadLines(Write("latin1", "caf\xE9\n")), Lines{"caf\xEF\xBF\xBD"});
}

TEST_F(FileTextStreamTest, ReadingPastTheEndGivesEmptyLines) {
  auto in = fw::TextInputStream::Open(Write("one", "only\n"));
  ASSERT_NE(in, nullptr);
  EXPECT_FALSE(in->EndOfFile());
  EXPECT_EQ(in->ReadLine(), "only");
  EXPECT_TRUE(in->EndOfFile());
  EXPECT_EQ(in->ReadLine(), "");
  EXPECT_EQ(in->ReadLine(), "");
  in->Close();
  EXPECT_EQ(in->ReadLine(), "");
}

TEST_F(FileTextStreamTest, LongFilesCrossBufferBoundaries) {
  // CRLF pairs land on every offset, so some straddle the end of a read buffer.
  std::string bytes;
  Lines expected;
  for (int i = 0; i < 30000; ++i) {
    std::string line = std::to_string(i) + std::string(static_cast<std::size_t>(i % 7), 'x');
    bytes += line + "\r\n";
    expected.push_back(line);
  }
  EXPECT_EQ(ReadLines(Write("long", bytes)), expected);
}

TEST_F(FileTextStreamTest, LimitsEndTheStreamAtALineOrAFileTooLong) {
  // Lines up to the line limit, and files up to the file limit, empty lines counted, read whole.
  auto open = [this](const std::string& name, const std::string& bytes) {
    auto in = fw::TextInputStream::Open(Write(name, bytes));
    in->SetLimits(4, 12);
    return in;
  };
  auto in = open("line", "abcd\r\nabcde\nx\n");
  EXPECT_EQ(in->ReadLine(), "abcd");
  EXPECT_FALSE(in->LimitPassed());
  EXPECT_EQ(in->ReadLine(), "");
  EXPECT_TRUE(in->LimitPassed());
  EXPECT_TRUE(in->EndOfFile());
  EXPECT_EQ(in->ReadLine(), "");

  in = open("exact", "ab\n\nc\r\nefgh\r");
  Lines lines;
  while (!in->EndOfFile()) lines.push_back(in->ReadLine());
  EXPECT_EQ(lines, (Lines{"ab", "", "c", "efgh"}));
  EXPECT_FALSE(in->LimitPassed());

  in = open("feeds", std::string(13, '\n'));
  lines.clear();
  while (!in->EndOfFile()) lines.push_back(in->ReadLine());
  EXPECT_EQ(lines, Lines(12, ""));
  EXPECT_TRUE(in->LimitPassed());

  // A line cut by the file limit is not given.
  in = open("cut", "abcd\ncd\n\nefgh");
  EXPECT_EQ(in->ReadLine(), "abcd");
  EXPECT_EQ(in->ReadLine(), "cd");
  EXPECT_EQ(in->ReadLine(), "");
  EXPECT_FALSE(in->LimitPassed());
  EXPECT_EQ(in->ReadLine(), "");
  EXPECT_TRUE(in->LimitPassed());
}

TEST_F(FileTextStreamTest, ReadAllReturnsTheRest) {
  auto in = fw::TextInputStream::Open(Write("all", "\xEF\xBB\xBFhead\nrest\r\nend"));
  ASSERT_NE(in, nullptr);
  EXPECT_EQ(in->ReadLine(), "head");
  EXPECT_EQ(in->ReadAll(), "rest\r\nend");
  EXPECT_TRUE(in->EndOfFile());
}

TEST_F(FileTextStreamTest, OpenFailsForMissingFilesAndFolders) {
  EXPECT_EQ(fw::TextInputStream::Open(PathOf("missing")), nullptr);
  EXPECT_EQ(fw::TextInputStream::Open(dir.path().toStdString()), nullptr);
  EXPECT_EQ(fw::FolderItem(PathOf("missing")).OpenAsTextFile(), nullptr);
}

TEST_F(FileTextStreamTest, WritesLinesWithLineFeedsOnClose) {
  auto item = std::make_shared<fw::FolderItem>(PathOf("out.gdx"));
  auto out = item->CreateTextFile();
  ASSERT_NE(out, nullptr);
  out->WriteLine("Gradix 2.0 File");
  out->Write("Δ");
  out->WriteLine("");
  out->WriteLine("");
  EXPECT_FALSE(item->Exists());  // nothing is in place before Close
  EXPECT_TRUE(out->Close());
  EXPECT_EQ(Contents(item->Path()), "Gradix 2.0 File\nΔ\n\n");
  EXPECT_TRUE(out->Close());
  out->WriteLine("late");
  EXPECT_EQ(Contents(item->Path()), "Gradix 2.0 File\nΔ\n\n");
  EXPECT_EQ(ReadLines(item->Path()), (Lines{"Gradix 2.0 File", "Δ", ""}));
}

TEST_F(FileTextStreamTest, ReplacesTheOldFileOnlyWhenClosed) {
  std::string path = Write("doc.gdx", "old\n");
  auto item = std::make_shared<fw::FolderItem>(path);
  {
    auto abandoned = item->CreateTextFile();
    ASSERT_NE(abandoned, nullptr);
    abandoned->WriteLine("half");
  }
  EXPECT_EQ(Contents(path), "old\n");
  auto out = item->CreateTextFile();
  ASSERT_NE(out, nullptr);
  out->WriteLine("new");
  EXPECT_EQ(Contents(path), "old\n");
  EXPECT_TRUE(out->Close());
  EXPECT_EQ(Contents(path), "new\n");
  // No temporary file is left beside it.
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"doc.gdx"});
}

TEST_F(FileTextStreamTest, TheReplacedFileKeepsItsPermissionsAndItsLinks) {
  std::string path = Write("doc.gdx", "old\n");
  QFile::setPermissions(QString::fromStdString(path), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
  ASSERT_TRUE(QFile::link(QString::fromStdString(path), QString::fromStdString(PathOf("link.gdx"))));
  auto out = std::make_shared<fw::FolderItem>(PathOf("link.gdx"))->CreateTextFile();
  ASSERT_NE(out, nullptr);
  out->WriteLine("new");
  ASSERT_TRUE(out->Close());
  EXPECT_EQ(Contents(path), "new\n");
  EXPECT_EQ(QFileInfo(QString::fromStdString(PathOf("link.gdx"))).symLinkTarget().toStdString(), path);
  EXPECT_EQ(QFile::permissions(QString::fromStdString(path)),
            QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser | QFile::ReadGroup);

  // A new file gets what the process's mask allows, as any file it creates.
  const mode_t mask = umask(022);
  auto fresh = std::make_shared<fw::FolderItem>(PathOf("fresh.gdx"))->CreateTextFile();
  ASSERT_NE(fresh, nullptr);
  EXPECT_TRUE(fresh->Close());
  umask(mask);
  struct stat st {};
  ASSERT_EQ(stat(PathOf("fresh.gdx").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0644u);
}

TEST_F(FileTextStreamTest, TheReplacedFileKeepsItsAccessListAndAttributes) {
  const std::string path = Write("doc.gdx", "old\n");
  ASSERT_EQ(chmod(path.c_str(), 0640), 0);
  // Owner rw, user 1002 rw, owning group r, mask rw, others nothing.
  constexpr std::uint32_t none = 0xFFFFFFFF;
  const std::string list = AccessList({{0x01, 6, none}, {0x02, 6, 1002}, {0x04, 4, none}, {0x10, 6, none}, {0x20, 0, none}});
  ASSERT_EQ(setxattr(path.c_str(), kAccessList, list.data(), list.size(), 0), 0) << "no access lists in " << dir.path().toStdString();
  const std::string comment = "run 3, the second try";
  ASSERT_EQ(setxattr(path.c_str(), "user.xdg.comment", comment.data(), comment.size(), 0), 0) << "no user attributes";
  // The mask shows as the group's permissions.
  ASSERT_EQ(StatusOf(path).st_mode & 07777, 0660u);

  auto item = std::make_shared<fw::FolderItem>(path);
  auto out = item->CreateTextFile();
  ASSERT_NE(out, nullptr);
  out->WriteLine("new");
  ASSERT_TRUE(out->Close());
  EXPECT_EQ(Contents(path), "new\n");
  EXPECT_EQ(Attribute(path, kAccessList), list);
  EXPECT_EQ(Attribute(path, "user.xdg.comment"), comment);
  EXPECT_EQ(StatusOf(path).st_mode & 07777, 0660u);

  // Where the access list cannot be kept the file is not replaced.
  EXPECT_EQ(RunInChild([&] {
              ASSERT_TRUE(FailSystemCall(SYS_fsetxattr, EOPNOTSUPP));
              auto refused = item->CreateTextFile();
              ASSERT_NE(refused, nullptr);
              refused->WriteLine("newer");
              EXPECT_FALSE(refused->Close());
            }),
            0);
  EXPECT_EQ(Contents(path), "new\n");
  EXPECT_EQ(Attribute(path, kAccessList), list);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"doc.gdx"});
}

TEST_F(FileTextStreamTest, TheReplacedFileKeepsItsOwnerAndGroupAsFarAsTheUserMayGiveThem) {
  if (geteuid() != 0) GTEST_SKIP() << "only root can make files of other users";
  const auto save = [](const std::string& path) {
    auto out = std::make_shared<fw::FolderItem>(path)->CreateTextFile();
    ASSERT_NE(out, nullptr);
    out->WriteLine("new");
    EXPECT_TRUE(out->Close());
    EXPECT_EQ(Contents(path), "new\n");
  };
  // Root saving a student's document.
  const std::string student = Write("student.gdx", "old\n");
  ASSERT_EQ(chown(student.c_str(), 1000, 1000), 0);
  ASSERT_EQ(chmod(student.c_str(), 0644), 0);
  save(student);
  EXPECT_EQ(StatusOf(student).st_uid, 1000u);
  EXPECT_EQ(StatusOf(student).st_gid, 1000u);
  EXPECT_EQ(StatusOf(student).st_mode & 07777, 0644u);

  // A member of group 5000 (user 1001, whose own group is 1001) saving another member's
  // document in their shared folder, which has no set-group-ID bit. Only root may give the
  // file back to its owner.
  char folder[] = "/tmp/gradix-shared-XXXXXX";
  ASSERT_NE(mkdtemp(folder), nullptr);
  ASSERT_EQ(chown(folder, 1000, 5000), 0);
  ASSERT_EQ(chmod(folder, 0775), 0);
  const std::string shared = std::string(folder) + "/lab.gdx";
  std::ofstream(shared) << "old\n";
  ASSERT_EQ(chown(shared.c_str(), 1000, 5000), 0);
  ASSERT_EQ(chmod(shared.c_str(), 0664), 0);
  EXPECT_EQ(RunInChild([&] {
              ASSERT_TRUE(BecomeUser(1001, 1001, {5000}));
              save(shared);
            }),
            0);
  EXPECT_EQ(StatusOf(shared).st_gid, 5000u);
  EXPECT_EQ(StatusOf(shared).st_mode & 07777, 0664u);
  EXPECT_EQ(StatusOf(shared).st_uid, 1001u);
  std::filesystem::remove_all(folder);
}

TEST_F(FileTextStreamTest, APrivateFileIsNeverWrittenWhereOthersMayReadIt) {
  // With unnamed temporary files; without them; with unnamed files that cannot be named:
  // linking refused, or (root only) no /proc and AT_EMPTY_PATH refused.
  enum class Setting { Unnamed, NoUnnamed, NoLinking, NoProc };
  for (const Setting setting : {Setting::Unnamed, Setting::NoUnnamed, Setting::NoLinking, Setting::NoProc}) {
    if (setting == Setting::NoProc && geteuid() != 0) continue;
    const std::string path = Write("private.gdx", "old\n");
    ASSERT_EQ(chmod(path.c_str(), 0600), 0);
    const std::string text(100000, 'x');
    EXPECT_EQ(RunInChild([&] {
                if (setting == Setting::NoUnnamed) {
                  ASSERT_TRUE(FailSystemCall(SYS_openat, EOPNOTSUPP, 2, O_TMPFILE));
                } else if (setting == Setting::NoLinking) {
                  ASSERT_TRUE(FailSystemCall(SYS_linkat, ENOENT));
                } else if (setting == Setting::NoProc) {
                  ASSERT_EQ(unshare(CLONE_NEWNS), 0);
                  ASSERT_EQ(mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr), 0);
                  ASSERT_EQ(mount("none", "/proc", "tmpfs", 0, nullptr), 0);
                  ASSERT_TRUE(FailSystemCall(SYS_linkat, ENOENT, 4, AT_EMPTY_PATH));
                }
                // At every step, every file beside the document is for its owner alone.
                std::vector<std::string> exposed;
                fw::FileTestHooks::WatchSaveSteps([&](fw::FileTestHooks::SaveStep step) {
                  for (const auto& entry : std::filesystem::directory_iterator(dir.path().toStdString())) {
                    const mode_t mode = StatusOf(entry.path()).st_mode;
                    if (entry.path() != path && (mode & 077) != 0) {
                      exposed.push_back(entry.path().filename().string() + " at step " +
                                        std::to_string(static_cast<int>(step)));
                    }
                  }
                });
                auto out = std::make_shared<fw::FolderItem>(path)->CreateTextFile();
                ASSERT_NE(out, nullptr);
                out->Write(text);
                EXPECT_TRUE(out->Close());
                EXPECT_EQ(exposed, std::vector<std::string>{});
              }),
              0)
        << static_cast<int>(setting);
    EXPECT_TRUE(Contents(path) == text) << static_cast<int>(setting);
    EXPECT_EQ(StatusOf(path).st_mode & 07777, 0600u) << static_cast<int>(setting);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"private.gdx"});
  }
}

TEST_F(FileTextStreamTest, TwoProgramsSavingOneFileBothSucceedAndItIsAlwaysWhole) {
  const std::string path = PathOf("shared.gdx");
  const std::string texts[2] = {std::string(20000, 'a') + "\n", std::string(30000, 'b') + "\n"};
  Write("shared.gdx", texts[0]);
  // With unnamed temporary files, and without them.
  for (const bool unnamed : {true, false}) {
    pid_t savers[2];
    for (int i = 0; i < 2; ++i) {
      savers[i] = fork();
      if (savers[i] == 0) {
        if (!unnamed && !FailSystemCall(SYS_openat, EOPNOTSUPP, 2, O_TMPFILE)) _exit(101);
        int failures = 0;
        for (int k = 0; k < 2000; ++k) {
          auto out = std::make_shared<fw::FolderItem>(path)->CreateTextFile();
          if (out) out->Write(texts[i]);
          if (!out || !out->Close()) ++failures;
        }
        _exit(std::min(failures, 100));
      }
      ASSERT_GT(savers[i], 0);
    }
    int cut = 0;
    int status[2] = {-1, -1};
    for (int running = 2; running > 0;) {
      const std::string now = Contents(path);
      if (now != texts[0] && now != texts[1]) ++cut;
      for (int i = 0; i < 2; ++i) {
        int raw = 0;
        if (status[i] < 0 && waitpid(savers[i], &raw, WNOHANG) == savers[i]) {
          status[i] = WIFEXITED(raw) ? WEXITSTATUS(raw) : 200;
          --running;
        }
      }
    }
    EXPECT_EQ(status[0], 0) << "failed saves, unnamed " << unnamed;
    EXPECT_EQ(status[1], 0) << "failed saves, unnamed " << unnamed;
    EXPECT_EQ(cut, 0) << unnamed;
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"shared.gdx"});
  }
}

TEST_F(FileTextStreamTest, AReadOnlyFolderIsReportedAndLeavesTheOldFile) {
  EXPECT_EQ(RunUnprivileged([](const std::filesystem::path& folder) {
              const std::string path = folder / "locked.gdx";
              std::ofstream(path) << "old\n";
              auto item = std::make_shared<fw::FolderItem>(path);
              auto out = item->CreateTextFile();
              ASSERT_NE(out, nullptr);
              out->WriteLine("new");
              // The folder turns read-only before the stream is closed: no new file can be made.
              using std::filesystem::perms;
              std::filesystem::permissions(folder, perms::owner_read | perms::owner_exec);
              EXPECT_FALSE(out->Close());
              EXPECT_FALSE(item->CreateTextFile());
              EXPECT_EQ(Contents(path), "old\n");
            }),
            0);
}

TEST_F(FileTextStreamTest, AFailedWriteIsReportedAndLeavesTheOldFile) {
  std::string path = Write("big.gdx", "old\n");
  auto item = std::make_shared<fw::FolderItem>(path);
  auto out = item->CreateTextFile();
  ASSERT_NE(out, nullptr);
  for (int i = 0; i < 1000; ++i) out->WriteLine("+1.000000000000000e+0");
  // A file-size limit makes the write fail part way, as a full disk would, for root too.
  rlimit old{};
  getrlimit(RLIMIT_FSIZE, &old);
  auto oldHandler = signal(SIGXFSZ, SIG_IGN);
  rlimit small = old;
  small.rlim_cur = 4096;
  setrlimit(RLIMIT_FSIZE, &small);
  bool closed = out->Close();
  setrlimit(RLIMIT_FSIZE, &old);
  signal(SIGXFSZ, oldHandler);
  EXPECT_FALSE(closed);
  EXPECT_FALSE(out->Close());
  EXPECT_EQ(Contents(path), "old\n");
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"big.gdx"});
}

TEST_F(FileTextStreamTest, CreateFailsWhereNoFileCanBe) {
  EXPECT_EQ(fw::FolderItem(PathOf("no/such/folder.gdx")).CreateTextFile(), nullptr);
  EXPECT_EQ(fw::FolderItem(dir.path().toStdString()).CreateTextFile(), nullptr);
}

TEST_F(FileTextStreamTest, WritesUnderTheNameTheItemHasWhenClosed) {
  auto item = std::make_shared<fw::FolderItem>(PathOf("Run 1"));
  auto out = item->CreateTextFile();
  ASSERT_NE(out, nullptr);
  ASSERT_TRUE(item->SetName("Run 1.gdx"));
  out->WriteLine("Gradix 2.0 File");
  EXPECT_TRUE(out->Close());
  EXPECT_EQ(Contents(PathOf("Run 1.gdx")), "Gradix 2.0 File\n");
  EXPECT_FALSE(QFile::exists(QString::fromStdString(PathOf("Run 1"))));
}

}  // namespace
