// Сольвар: the program's entry point.

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>

#include <cstdio>
#include <cstring>

#include "game/desktop.h"
#include "game/main_window.h"
#include "game/qt_prompts.h"
#include "game/qt_translations.h"
#include "solvar/version.h"

namespace {

// --version answers without a display: it is read before the application
// (which needs one) is made.
bool AsksForVersion(int argc, char* argv[]) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--version") == 0) return true;
  }
  return false;
}

// Reads --seed N, --port N and --movetime N; false (with a message) when one
// is malformed.
bool ReadOptions(const QApplication& app, solvar::game::AppOptions& options) {
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("Сольвар: игра в точки"));
  parser.addHelpOption();
  const QCommandLineOption seed(QStringLiteral("seed"), QStringLiteral("Repeatable random draws."),
                                QStringLiteral("N"));
  const QCommandLineOption port(QStringLiteral("port"), QStringLiteral("Network port (3333)."),
                                QStringLiteral("N"));
  const QCommandLineOption moveTime(QStringLiteral("movetime"),
                                    QStringLiteral("The strong computer's thinking time, in milliseconds (1000)."),
                                    QStringLiteral("N"));
  parser.addOption(seed);
  parser.addOption(port);
  parser.addOption(moveTime);
  parser.process(app);
  bool ok = true;
  if (parser.isSet(seed)) {
    options.Seed = parser.value(seed).toULongLong(&ok);
    if (!ok) return std::fputs("--seed needs a whole number\n", stderr), false;
  }
  if (parser.isSet(port)) {
    const uint value = parser.value(port).toUInt(&ok);
    if (!ok || value == 0 || value > 65535) return std::fputs("--port needs 1..65535\n", stderr), false;
    options.Port = static_cast<std::uint16_t>(value);
  }
  if (parser.isSet(moveTime)) {
    const int value = parser.value(moveTime).toInt(&ok);
    if (!ok || value <= 0) return std::fputs("--movetime needs a whole number above 0\n", stderr), false;
    options.StrongMoveTimeMs = value;
  }
  return true;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (AsksForVersion(argc, argv)) {
    std::printf("Сольвар %s\n", solvar::ProgramVersion);
    return 0;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Сольвар"));
  QApplication::setApplicationVersion(QString::fromLatin1(solvar::ProgramVersion));
  QApplication::setDesktopFileName(QStringLiteral("org.example.solvar"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/solvar/org.example.solvar-256.png")));
  solvar::game::AppOptions options;
  if (!ReadOptions(app, options)) return 2;
  solvar::game::InstallQtTranslations(app);
  solvar::game::QtPrompts prompts;
  solvar::game::QtDesktop desktop;
  solvar::game::TForm1 window(options, prompts, desktop);
  prompts.SetParent(&window);
  window.show();
  return QApplication::exec();
}
