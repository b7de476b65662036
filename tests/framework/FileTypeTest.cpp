#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <fstream>

#include "framework/Clipboard.h"
#include "framework/FileChoosers.h"
#include "framework/FileTestHooks.h"
#include "framework/FileType.h"
#include "framework/QtPicture.h"
#include "framework/Resources.h"

namespace {

namespace hooks = fw::FileTestHooks;

TEST(FileTypeTest, RecordsAndFilters) {
  fw::FileType text;
  text.SetName("text/plain");
  text.SetExtensions(".asc;.ascii;.bas;.c;.class;.cp;.cpp;.h;.hp;.hpp;.i3;.java;.m2;.m3;.mak;.text;.txt");
  text.SetMacType("TEXT");
  text.SetMacCreator("????");
  EXPECT_EQ(text.ExtensionList().size(), 17u);
  EXPECT_EQ(text.ExtensionList().front(), "asc");
  EXPECT_EQ(text.ExtensionList().back(), "txt");
  EXPECT_EQ(text.MacType(), "TEXT");
  EXPECT_EQ(text.MacCreator(), "????");

  fw::FileType doc;
  doc.SetName("GradixData");
  doc.SetExtensions(".gdx");
  EXPECT_EQ(doc.Filter(), "GradixData (*.gdx)");
  EXPECT_EQ(fw::FileType::Find("GradixData"), &doc);
  EXPECT_EQ(fw::FileType::Find("text/plain"), &text);
  EXPECT_EQ(fw::FileType::Find("nothing"), nullptr);

  fw::FileType none;
  none.SetName("Any");
  none.SetExtensions(" ; ");
  EXPECT_TRUE(none.ExtensionList().empty());
  EXPECT_EQ(none.Filter(), "Any (*)");
}

TEST(FileTypeTest, ATypeIsForgottenWhenDestroyed) {
  {
    fw::FileType shortLived;
    shortLived.SetName("Gone");
    EXPECT_NE(fw::FileType::Find("Gone"), nullptr);
  }
  EXPECT_EQ(fw::FileType::Find("Gone"), nullptr);
}

TEST(FileTypeTest, ChoosersAreAnsweredByTheHooks) {
  hooks::ClearChooserAnswer();
  hooks::AnswerNextChooser(std::string("/tmp/first.gdx"));
  hooks::AnswerNextChooser(std::nullopt);
  auto first = fw::GetOpenFolderItem("GradixData");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->Name(), "first.gdx");
  EXPECT_EQ(fw::GetSaveFolderItem("GradixData", "Untitled.gdx"), nullptr);
  EXPECT_EQ(hooks::ChooserCount(), 2);
  EXPECT_TRUE(hooks::LastChooserRequest().save);
  EXPECT_EQ(hooks::LastChooserRequest().typeName, "GradixData");
  EXPECT_EQ(hooks::LastChooserRequest().suggestedName, "Untitled.gdx");

  // The queue is used up before the standing answer.
  hooks::SetChooserAnswer([](const hooks::ChooserRequest& r) -> std::optional<std::string> {
    if (r.typeName == "text/plain") return std::nullopt;
    return "/tmp/" + r.suggestedName;
  });
  hooks::AnswerNextChooser(std::string("/tmp/queued.gdx"));
  EXPECT_EQ(fw::GetSaveFolderItem("GradixData", "Run.gdx")->Name(), "queued.gdx");
  EXPECT_EQ(fw::GetSaveFolderItem("GradixData", "Run.gdx")->Name(), "Run.gdx");
  EXPECT_EQ(fw::GetOpenFolderItem("text/plain"), nullptr);
  EXPECT_EQ(hooks::ChooserCount(), 5);
  hooks::ClearChooserAnswer();
  EXPECT_EQ(hooks::ChooserCount(), 0);
}

TEST(FileTypeTest, ResourcesAreReadByTypeAndId) {
  QTemporaryDir dir;
  std::ofstream(dir.filePath("TEXT_168.html").toStdString()) << "<h1>Gradix</h1>";
  std::ofstream(dir.filePath("TEXT_1680.html").toStdString()) << "wrong one";
  QImage logo(215, 38, QImage::Format_RGB32);
  logo.fill(Qt::blue);
  ASSERT_TRUE(logo.save(dir.filePath("PICT_168.png")));
  std::ofstream(dir.filePath("PICT_5.png").toStdString()) << "not an image";

  hooks::SetResourceFolder(dir.path().toStdString());
  EXPECT_EQ(fw::GetResource("TEXT", 168), "<h1>Gradix</h1>");
  EXPECT_EQ(fw::GetResource("TEXT", 16), "");
  EXPECT_EQ(fw::GetResource("STR ", 168), "");
  auto picture = fw::GetPicture(168);
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->Width(), 215);
  EXPECT_EQ(picture->Height(), 38);
  EXPECT_EQ(static_cast<fw::QtPicture&>(*picture).Image().pixel(3, 3), qRgb(0, 0, 255));
  EXPECT_EQ(fw::GetPicture(5), nullptr);
  EXPECT_EQ(fw::GetPicture(7), nullptr);
  hooks::SetResourceFolder("");
}

TEST(FileTypeTest, ClipboardText) {
  fw::Clipboard::SetText("");
  EXPECT_FALSE(fw::Clipboard::TextAvailable());
  fw::Clipboard::SetText("3.14 ± 0.01");
  EXPECT_TRUE(fw::Clipboard::TextAvailable());
  EXPECT_EQ(fw::Clipboard::Text(), "3.14 ± 0.01");
}

}  // namespace
