#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <fstream>
#include <sstream>

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
