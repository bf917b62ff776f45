#pragma once
// The command line, read before the application object is made (which needs
// a display), so that --help and --version answer anywhere.

#include <QString>
#include <QStringList>

#include <optional>

#include "game/app_options.h"

namespace solvar::app {

struct CommandLine {
  game::AppOptions Options;
  QString GameFile;  // a saved game to show at start, or empty
  // What to print and the exit code, when the program is not to start.
  std::optional<QString> Output;
  int ExitCode = 0;
};

// Reads the arguments (the program's name first).
CommandLine ReadCommandLine(const QStringList& arguments);

}  // namespace solvar::app
