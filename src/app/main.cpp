// Сольвар: the program's entry point.

#include <QApplication>
#include <QIcon>
#include <QLocale>

#include <cstdio>
#include <optional>

#include "app/command_line.h"
#include "game/desktop.h"
#include "game/main_window.h"
#include "game/qt_prompts.h"
#include "game/qt_translations.h"
#include "solvar/version.h"

namespace {

QStringList Arguments(int argc, char* argv[]) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  return arguments;
}

}  // namespace

int main(int argc, char* argv[]) {
  // Read before the application is made: --help and --version need no display.
  const solvar::app::CommandLine line = solvar::app::ReadCommandLine(Arguments(argc, argv));
  if (line.Output) {
    std::fputs(line.Output->toLocal8Bit().constData(), line.ExitCode == 0 ? stdout : stderr);
    return line.ExitCode;
  }
  // The interface is Russian whatever the system's language: numbers, dates
  // and sizes in Qt's own dialogs too.
  // (The system's locale is read at the first use of any locale.)
  std::optional<solvar::game::RussianSystemLocale> russian(std::in_place);
  QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
  QApplication app(argc, argv);
  (void)QLocale::system();  // read now, while the environment says Russian
  russian.reset();
  // The name of the per-user data folder (~/.local/share/solvar); the window
  // titles are the program's own.
  QApplication::setApplicationName(QStringLiteral("solvar"));
  QApplication::setApplicationVersion(QString::fromLatin1(solvar::ProgramVersion));
  QApplication::setDesktopFileName(QStringLiteral("org.example.solvar"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/solvar/org.example.solvar-256.png")));
  solvar::game::InstallQtTranslations(app);
  solvar::game::QtPrompts prompts;
  solvar::game::QtDesktop desktop;
  solvar::game::TForm1 window(line.Options, prompts, desktop);
  prompts.SetParent(&window);
  window.show();
  if (!line.GameFile.isEmpty()) window.Viewer().Open(line.GameFile);
  return QApplication::exec();
}
