#include <gtest/gtest.h>
#include <sys/xattr.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <fstream>

#include "framework/FolderItem.h"
#include "framework/TextOutputStream.h"

namespace {

class FileFolderItemTest : public ::testing::Test {
 protected:
  QTemporaryDir dir;
  std::string PathOf(const std::string& name) { return dir.filePath(QString::fromStdString(name)).toStdString(); }
  std::string Touch(const std::string& name, const std::string& text = "x") {
    std::string path = PathOf(name);
    std::ofstream(path) << text;
    return path;
  }
  bool AttributesWork() {
    std::string probe = Touch(".probe");
    bool ok = setxattr(probe.c_str(), "user.probe", "1", 1, 0) == 0;
    QFile::remove(QString::fromStdString(probe));
    return ok;
  }
};

TEST_F(FileFolderItemTest, NamesPathsAndParents) {
  fw::FolderItem item(PathOf("Pendulum.gdx"));
  EXPECT_EQ(item.Name(), "Pendulum.gdx");
  EXPECT_EQ(item.Path(), PathOf("Pendulum.gdx"));
  EXPECT_FALSE(item.Exists());
  auto parent = item.Parent();
  ASSERT_NE(parent, nullptr);
  EXPECT_EQ(parent->Path(), QDir(dir.path()).canonicalPath().toStdString());
  EXPECT_TRUE(parent->Directory());
  EXPECT_EQ(parent->Child("Pendulum.gdx")->Path(), item.Path());
  EXPECT_EQ(fw::FolderItem("/").Parent(), nullptr);
  EXPECT_EQ(fw::FolderItem(PathOf("a/../b.txt")).Name(), "b.txt");
  // ".." steps back from the folder a link leads to, as the kernel takes it.
  ASSERT_TRUE(QDir(dir.path()).mkpath("real/docs"));
  ASSERT_TRUE(QFile::link("real/docs", QString::fromStdString(PathOf("docs"))));
  EXPECT_EQ(fw::FolderItem(PathOf("docs/../b.txt")).Path(),
            QDir(dir.path()).canonicalPath().toStdString() + "/real/b.txt");
}

TEST_F(FileFolderItemTest, ExistsAndDelete) {
  fw::FolderItem item(Touch("data.txt"));
  EXPECT_TRUE(item.Exists());
  EXPECT_FALSE(item.Directory());
  EXPECT_TRUE(item.Delete());
  EXPECT_FALSE(item.Exists());
  EXPECT_FALSE(item.Delete());

  QDir(dir.path()).mkdir("sub");
  fw::FolderItem sub(PathOf("sub"));
  Touch("sub/inner");
  EXPECT_FALSE(sub.Delete());  // a folder with contents stays
  EXPECT_TRUE(sub.Exists());
  QFile::remove(QString::fromStdString(PathOf("sub/inner")));
  EXPECT_TRUE(sub.Delete());
}

TEST_F(FileFolderItemTest, SettingTheNameRenamesTheFile) {
  fw::FolderItem item(Touch("Run 1", "data"));
  EXPECT_TRUE(item.SetName("Run 1.gdx"));
  EXPECT_EQ(item.Name(), "Run 1.gdx");
  EXPECT_TRUE(item.Exists());
  EXPECT_FALSE(QFile::exists(QString::fromStdString(PathOf("Run 1"))));
  EXPECT_TRUE(item.SetName("Run 1.gdx"));  // the same name changes nothing

  // A missing file: only the item takes the new name.
  fw::FolderItem fresh(PathOf("new"));
  EXPECT_TRUE(fresh.SetName("new.gdx"));
  EXPECT_EQ(fresh.Path(), PathOf("new.gdx"));
  EXPECT_FALSE(fresh.Exists());
}

TEST_F(FileFolderItemTest, RenameNeverReplacesAnotherFile) {
  Touch("Run 2.gdx", "keep me");
  fw::FolderItem item(Touch("Run 2", "mine"));
  EXPECT_FALSE(item.SetName("Run 2.gdx"));
  EXPECT_EQ(item.Name(), "Run 2");
  std::ifstream in(PathOf("Run 2.gdx"));
  std::string kept;
  std::getline(in, kept);
  EXPECT_EQ(kept, "keep me");
  EXPECT_FALSE(item.SetName("a/b"));
  EXPECT_FALSE(item.SetName(""));
  EXPECT_FALSE(item.SetName(".."));
  EXPECT_EQ(item.Name(), "Run 2");
}

TEST_F(FileFolderItemTest, CodesAreKeptByTheItemAndTheSavedFile) {
  auto item = std::make_shared<fw::FolderItem>(PathOf("doc.gdx"));
  auto out = item->CreateTextFile();
  ASSERT_NE(out, nullptr);
  item->SetMacCreator("qzGX");
  item->SetMacType("qzGD");
  EXPECT_EQ(item->MacCreator(), "qzGX");
  EXPECT_EQ(item->MacType(), "qzGD");
  out->WriteLine("Gradix 2.0 File");
  ASSERT_TRUE(out->Close());
  if (!AttributesWork()) GTEST_SKIP() << "this file system keeps no user attributes";
  fw::FolderItem reread(PathOf("doc.gdx"));
  EXPECT_EQ(reread.MacCreator(), "qzGX");
  EXPECT_EQ(reread.MacType(), "qzGD");
  EXPECT_EQ(fw::FolderItem(Touch("plain.txt")).MacType(), "");
}

}  // namespace
