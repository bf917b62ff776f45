#include "game/records_location.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "records/records_file.h"

namespace solvar::game {

namespace {

// The file is replaced by writing a new one beside it and renaming it, so
// its folder must take new files too.
bool CanBeReplaced(const QFileInfo& file) {
  return file.isFile() && file.isWritable() && QFileInfo(file.absolutePath()).isWritable();
}

}  // namespace

QString RecordsFilePath() {
  const QString name = QString::fromLatin1(records::RecordsFileName);
  const QFileInfo here(QDir::current().absoluteFilePath(name));
  if (CanBeReplaced(here)) return here.filePath();
  return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).absoluteFilePath(name);
}

}  // namespace solvar::game
