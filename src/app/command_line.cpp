#include "app/command_line.h"

#include <QCommandLineParser>

#include "solvar/version.h"

namespace solvar::app {

namespace {

CommandLine Stop(const QString& output, int exitCode) {
  CommandLine line;
  line.Output = output;
  line.ExitCode = exitCode;
  return line;
}

// Reads one whole-number option into `value`; a message when it is not one
// in the range.
std::optional<QString> ReadNumber(const QCommandLineParser& parser, const QCommandLineOption& option,
                                  qulonglong low, qulonglong high, qulonglong& value) {
  if (!parser.isSet(option)) return std::nullopt;
  bool ok = false;
  value = parser.value(option).toULongLong(&ok);
  if (ok && value >= low && value <= high) return std::nullopt;
  return QStringLiteral("solvar: --%1 needs a whole number from %2 to %3\n")
      .arg(option.names().constFirst())
      .arg(low)
      .arg(high);
}

}  // namespace

CommandLine ReadCommandLine(const QStringList& arguments) {
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("Сольвар: игра в точки (the game of dots)."));
  const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help."));
  const QCommandLineOption version(QStringLiteral("version"), QStringLiteral("Show the version."));
  const QCommandLineOption seed(QStringLiteral("seed"), QStringLiteral("Make every random draw repeatable."),
                                QStringLiteral("N"));
  const QCommandLineOption port(QStringLiteral("port"), QStringLiteral("Play over network port N (3333)."),
                                QStringLiteral("N"));
  const QCommandLineOption moveTime(QStringLiteral("movetime"),
                                    QStringLiteral("The strong computer's thinking time, in milliseconds (1000)."),
                                    QStringLiteral("N"));
  parser.addOptions({help, version, seed, port, moveTime});
  parser.addPositionalArgument(QStringLiteral("FILE.sgf"), QStringLiteral("A saved game to show."),
                               QStringLiteral("[FILE.sgf]"));
  if (!parser.parse(arguments)) return Stop(QStringLiteral("solvar: %1\n").arg(parser.errorText()), 2);
  // The help is asked before the application exists, which would leave the
  // usage line without the program's name.
  if (parser.isSet(help)) return Stop(parser.helpText().replace(QStringLiteral("<executable_name>"), QStringLiteral("solvar")), 0);
  if (parser.isSet(version)) return Stop(QStringLiteral("Сольвар %1\n").arg(QLatin1String(ProgramVersion)), 0);
  if (parser.positionalArguments().size() > 1) return Stop(QStringLiteral("solvar: one saved game at a time\n"), 2);

  CommandLine line;
  qulonglong value = 0;
  if (auto error = ReadNumber(parser, seed, 0, ~0ULL, value)) return Stop(*error, 2);
  if (parser.isSet(seed)) line.Options.Seed = value;
  if (auto error = ReadNumber(parser, port, 1, 65535, value)) return Stop(*error, 2);
  if (parser.isSet(port)) line.Options.Port = static_cast<std::uint16_t>(value);
  if (auto error = ReadNumber(parser, moveTime, 1, 3600000, value)) return Stop(*error, 2);
  if (parser.isSet(moveTime)) line.Options.StrongMoveTimeMs = static_cast<int>(value);
  if (!parser.positionalArguments().isEmpty()) line.GameFile = parser.positionalArguments().constFirst();
  return line;
}

}  // namespace solvar::app
