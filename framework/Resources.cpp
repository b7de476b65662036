#include "framework/Resources.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>

#include "framework/FileHookState.h"
#include "framework/QtPicture.h"

namespace fw {

namespace {

QStringList Folders() {
  const std::string& hooked = FileHookState::Get().resourceFolder;
  if (!hooked.empty()) return {QString::fromStdString(hooked)};
  QString exeDir = QCoreApplication::applicationDirPath();
  return {exeDir + QStringLiteral("/resources"), exeDir + QStringLiteral("/../share/gradix")};
}

// The first file, in name order, whose name is "<type>_<id>" with an extension.
QString FindResource(const std::string& type, int id) {
  QString stem = QString::fromStdString(type) + QLatin1Char('_') + QString::number(id);
  for (const QString& folder : Folders()) {
    QDir dir(folder);
    const QStringList names = dir.entryList({stem + QStringLiteral(".*")}, QDir::Files | QDir::Readable, QDir::Name);
    for (const QString& name : names) {
      if (name.section(QLatin1Char('.'), 0, 0) == stem) return dir.filePath(name);
    }
  }
  return QString();
}

}  // namespace

std::string GetResource(const std::string& type, int id) {
  QString path = FindResource(type, id);
  if (path.isEmpty()) return std::string();
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::string();
  return file.readAll().toStdString();
}

std::shared_ptr<Picture> GetPicture(int id) {
  QString path = FindResource("PICT", id);
  if (path.isEmpty()) return nullptr;
  QImage image(path);
  if (image.isNull()) return nullptr;
  return std::make_shared<QtPicture>(std::move(image));
}

}  // namespace fw
