#include <fcntl.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/file.h>
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

TEST_F(FileTextStreamTest, OpenFailsForMissingFilesFoldersAndDevices) {
  EXPECT_EQ(fw::TextInputStream::Open(PathOf("missing")), nullptr);
  EXPECT_EQ(fw::TextInputStream::Open(dir.path().toStdString()), nullptr);
  EXPECT_EQ(fw::TextInputStream::Open("/dev/null"), nullptr);
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

  // Where a new file cannot take the access list the file is written in place: it stays the
  // same file, with all it has.
  const ino_t inode = StatusOf(path).st_ino;
  EXPECT_EQ(RunInChild([&] {
              ASSERT_TRUE(FailSystemCall(SYS_fsetxattr, EOPNOTSUPP));
              auto inPlace = item->CreateTextFile();
              ASSERT_NE(inPlace, nullptr);
              inPlace->WriteLine("newer");
              EXPECT_TRUE(inPlace->Close());
            }),
            0);
  EXPECT_EQ(Contents(path), "newer\n");
  EXPECT_EQ(StatusOf(path).st_ino, inode);
  EXPECT_EQ(Attribute(path, kAccessList), list);
  EXPECT_EQ(Attribute(path, "user.xdg.comment"), comment);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"doc.gdx"});
}

TEST_F(FileTextStreamTest, AFileWithoutAnAccessListGetsNoneFromTheFolderNorFromAFileSystemThatRefusesChanges) {
  // A folder whose default access list gives every new file one: user 1002 rwx.
  constexpr std::uint32_t none = 0xFFFFFFFF;
  const std::string folderDefault =
      AccessList({{0x01, 7, none}, {0x02, 7, 1002}, {0x04, 5, none}, {0x10, 7, none}, {0x20, 5, none}});
  const std::string folder = dir.path().toStdString();
  ASSERT_EQ(setxattr(folder.c_str(), "system.posix_acl_default", folderDefault.data(), folderDefault.size(), 0), 0);
  const std::string path = Write("doc.gdx", "old\n");
  ASSERT_EQ(removexattr(path.c_str(), kAccessList), 0);
  ASSERT_EQ(chmod(path.c_str(), 0640), 0);
  const auto save = [&path](const std::string& text) {
    auto item = std::make_shared<fw::FolderItem>(path);
    item->SetMacCreator("qzGX");
    auto out = item->CreateTextFile();
    ASSERT_NE(out, nullptr);
    out->Write(text);
    EXPECT_TRUE(out->Close());
  };
  save("new\n");
  EXPECT_EQ(Contents(path), "new\n");
  EXPECT_EQ(Attribute(path, kAccessList), std::nullopt);
  EXPECT_EQ(StatusOf(path).st_mode & 07777, 0640u);

  // A file system that refuses every change of owner (ENOSYS, as some user-space file systems
  // answer) and of attributes (EACCES) saves a document that needs neither.
  ASSERT_EQ(removexattr(folder.c_str(), "system.posix_acl_default"), 0);
  EXPECT_EQ(RunInChild([&] {
              for (const long call : {SYS_fsetxattr, SYS_fremovexattr, SYS_setxattr, SYS_removexattr}) {
                ASSERT_TRUE(FailSystemCall(static_cast<int>(call), EACCES));
              }
              ASSERT_TRUE(FailSystemCall(SYS_fchown, ENOSYS));
              save("newer\n");
            }),
            0);
  EXPECT_EQ(Contents(path), "newer\n");
  EXPECT_EQ(StatusOf(path).st_mode & 07777, 0640u);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"doc.gdx"});
}

// A folder in /tmp, which every user may enter, with the owner, group and mode given, and
// files in it; removed with the object.
class SharedFolder {
 public:
  SharedFolder(uid_t owner, gid_t group, mode_t mode) {
    char path[] = "/tmp/gradix-shared-XXXXXX";
    EXPECT_NE(mkdtemp(path), nullptr);
    path_ = path;
    EXPECT_EQ(chown(path, owner, group), 0);
    EXPECT_EQ(chmod(path, mode), 0);
  }
  ~SharedFolder() { std::filesystem::remove_all(path_); }
  SharedFolder(const SharedFolder&) = delete;
  SharedFolder& operator=(const SharedFolder&) = delete;

  std::string Add(const std::string& name, const std::string& text, uid_t owner, gid_t group, mode_t mode) const {
    const std::string path = path_ + "/" + name;
    std::ofstream(path) << text;
    EXPECT_EQ(chown(path.c_str(), owner, group), 0);
    EXPECT_EQ(chmod(path.c_str(), mode), 0);
    return path;
  }
  QStringList Names() const { return QDir(QString::fromStdString(path_)).entryList(QDir::Files | QDir::Hidden); }

 private:
  std::string path_;
};

TEST_F(FileTextStreamTest, ADocumentStaysItsOwnersWhoeverSavesIt) {
  if (geteuid() != 0) GTEST_SKIP() << "only root can make files of other users";
  // Owner rw, user 1002 rw, owning group nothing, mask rw, others nothing.
  constexpr std::uint32_t none = 0xFFFFFFFF;
  const std::string sharedWith1002 =
      AccessList({{0x01, 6, none}, {0x02, 6, 1002}, {0x04, 0, none}, {0x10, 6, none}, {0x20, 0, none}});
  struct Story {
    const char* what;
    uid_t owner;
    gid_t group;
    mode_t mode;
    bool accessList;
    uid_t user;  // 0: root saves
    gid_t userGroup;
    std::vector<gid_t> userGroups;
    uid_t folderOwner;
    gid_t folderGroup;
    mode_t folderMode;
  };
  const Story stories[] = {
      {"root saves a student's document", 1000, 1000, 0644, false, 0, 0, {}, 0, 0, 0777},
      {"user 1002 saves user 1000's document, shared with them by its access list", 1000, 1000, 0660, true, 1002, 1002,
       {}, 0, 0, 0777},
      {"user 1002 saves their own document of group 5000, which they are not in", 1002, 5000, 0640, false, 1002, 1002,
       {}, 0, 0, 0777},
      {"a member of group 5000 saves another member's document", 1000, 5000, 0664, false, 1001, 1001, {5000}, 1000,
       5000, 0775},
      {"user 1002 saves another user's document in a sticky folder", 1000, 1000, 0666, false, 1002, 1002, {}, 0, 0,
       01777},
      {"user 1002 saves a document they may write in a folder they may not", 1000, 1000, 0666, false, 1002, 1002, {},
       0, 0, 0755},
  };
  for (const Story& story : stories) {
    const SharedFolder folder(story.folderOwner, story.folderGroup, story.folderMode);
    const std::string path = folder.Add("lab.gdx", "old\n", story.owner, story.group, story.mode);
    if (story.accessList) {
      ASSERT_EQ(setxattr(path.c_str(), kAccessList, sharedWith1002.data(), sharedWith1002.size(), 0), 0);
    }
    const struct stat before = StatusOf(path);
    ASSERT_EQ(before.st_mode & 07777, story.mode) << story.what;
    const std::string text = std::string(5000, 'n') + "\n";
    EXPECT_EQ(RunInChild([&] {
                if (story.user != 0) {
                  ASSERT_TRUE(BecomeUser(story.user, story.userGroup, story.userGroups));
                }
                auto out = std::make_shared<fw::FolderItem>(path)->CreateTextFile();
                ASSERT_NE(out, nullptr);
                out->Write(text);
                EXPECT_TRUE(out->Close());
              }),
              0)
        << story.what;
    EXPECT_TRUE(Contents(path) == text) << story.what;
    const struct stat after = StatusOf(path);
    EXPECT_EQ(after.st_uid, story.owner) << story.what;
    EXPECT_EQ(after.st_gid, story.group) << story.what;
    EXPECT_EQ(after.st_mode & 07777, story.mode) << story.what;
    EXPECT_EQ(Attribute(path, kAccessList), story.accessList ? std::optional(sharedWith1002) : std::nullopt)
        << story.what;
    // Another user's document is written in place: it stays the same file.
    if (story.user != 0) {
      EXPECT_EQ(after.st_ino, before.st_ino) << story.what;
    }
    EXPECT_EQ(folder.Names(), QStringList{"lab.gdx"}) << story.what;
    // Its owner may still read it.
    EXPECT_EQ(RunInChild([&] {
                ASSERT_TRUE(BecomeUser(story.owner, story.group));
                EXPECT_TRUE(Contents(path) == text);
              }),
              0)
        << story.what;
  }
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
  const std::string texts[2] = {std::string(20000, 'a') + "\n", std::string(30000, 'b') + "\n"};
  // Replaced through unnamed temporary files, and through named ones; written in place, as
  // another user's file (root only), where a reader that takes the file's lock reads it whole.
  enum class Setting { Unnamed, Named, InPlace };
  for (const Setting setting : {Setting::Unnamed, Setting::Named, Setting::InPlace}) {
    const bool inPlace = setting == Setting::InPlace;
    if (inPlace && geteuid() != 0) continue;
    std::optional<SharedFolder> shared;
    if (inPlace) shared.emplace(0, 0, 0777);
    const std::string path =
        inPlace ? shared->Add("shared.gdx", texts[0], 1000, 1000, 0666) : Write("shared.gdx", texts[0]);
    const int saves = inPlace ? 1000 : 2000;
    pid_t savers[2];
    for (int i = 0; i < 2; ++i) {
      savers[i] = fork();
      if (savers[i] == 0) {
        if (setting == Setting::Named && !FailSystemCall(SYS_openat, EOPNOTSUPP, 2, O_TMPFILE)) _exit(101);
        if (inPlace && !BecomeUser(1002, 1002)) _exit(102);
        int failures = 0;
        for (int k = 0; k < saves; ++k) {
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
      std::string now;
      if (inPlace) {
        const int fd = open(path.c_str(), O_RDONLY);
        flock(fd, LOCK_SH);
        now = Contents(path);
        close(fd);
        usleep(200);
      } else {
        now = Contents(path);
      }
      if (now != texts[0] && now != texts[1]) ++cut;
      for (int i = 0; i < 2; ++i) {
        int raw = 0;
        if (status[i] < 0 && waitpid(savers[i], &raw, WNOHANG) == savers[i]) {
          status[i] = WIFEXITED(raw) ? WEXITSTATUS(raw) : 200;
          --running;
        }
      }
    }
    const int at = static_cast<int>(setting);
    EXPECT_EQ(status[0], 0) << "failed saves, setting " << at;
    EXPECT_EQ(status[1], 0) << "failed saves, setting " << at;
    EXPECT_EQ(cut, 0) << at;
    EXPECT_EQ(QFileInfo(QString::fromStdString(path)).dir().entryList(QDir::Files | QDir::Hidden),
              QStringList{"shared.gdx"})
        << at;
    if (inPlace) {
      EXPECT_EQ(StatusOf(path).st_uid, 1000u);
    }
  }
}

TEST_F(FileTextStreamTest, AFileInAFolderThatTakesNoNewFilesIsWrittenInPlace) {
  EXPECT_EQ(RunUnprivileged([](const std::filesystem::path& folder) {
              const std::string path = folder / "locked.gdx";
              std::ofstream(path) << "old\n";
              const ino_t inode = StatusOf(path).st_ino;
              auto item = std::make_shared<fw::FolderItem>(path);
              auto out = item->CreateTextFile();
              ASSERT_NE(out, nullptr);
              out->WriteLine("new");
              // The folder turns read-only before the stream is closed: no new file can be made.
              using std::filesystem::perms;
              std::filesystem::permissions(folder, perms::owner_read | perms::owner_exec);
              EXPECT_TRUE(out->Close());
              EXPECT_EQ(Contents(path), "new\n");
              EXPECT_EQ(StatusOf(path).st_ino, inode);
              // A file that does not exist yet cannot be written there.
              EXPECT_EQ(std::make_shared<fw::FolderItem>(folder / "new.gdx")->CreateTextFile(), nullptr);
              EXPECT_EQ(QDir(QString::fromStdString(folder)).entryList(QDir::Files | QDir::Hidden),
                        QStringList{"locked.gdx"});
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
