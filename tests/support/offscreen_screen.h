#pragma once
// The offscreen platform with a screen of a given size, for tests of how the
// window fits a screen: call before the QApplication is made. The file that
// describes the screen is left in the temporary directory for the run.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <unistd.h>

namespace solvar::test {

inline void UseOffscreenScreen(int width, int height) {
  const QString path = QDir::temp().filePath(QStringLiteral("solvar-screen-%1.json").arg(::getpid()));
  QFile file(path);
  if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
    file.write(QStringLiteral(R"({"screens": [{"name": "screen", "x": 0, "y": 0, "width": %1, "height": %2,
        "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})")
                   .arg(width)
                   .arg(height)
                   .toUtf8());
  }
  qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + path.toLocal8Bit());
}

}  // namespace solvar::test
