// The command line, read before there is an application object.

#include <QtTest>

#include "app/command_line.h"
#include "solvar/version.h"

namespace solvar::app {

class CommandLineTest : public QObject {
  Q_OBJECT

 private:
  static CommandLine Read(QStringList arguments) {
    arguments.prepend(QStringLiteral("solvar"));
    return ReadCommandLine(arguments);
  }

 private Q_SLOTS:
  void optionsAndAGameFileStartTheProgram() {
    const CommandLine line = Read({QStringLiteral("--seed"), QStringLiteral("7"), QStringLiteral("--port=4000"),
                                   QStringLiteral("--movetime"), QStringLiteral("250"), QStringLiteral("партия.sgf")});
    QVERIFY(!line.Output);
    QCOMPARE(line.Options.Seed.value_or(0), 7u);
    QCOMPARE(line.Options.Port.value_or(0), 4000);
    QCOMPARE(line.Options.StrongMoveTimeMs, 250);
    QCOMPARE(line.GameFile, QStringLiteral("партия.sgf"));
    QVERIFY(Read({}).GameFile.isEmpty());
  }

  void helpAndVersionAnswerAndStop() {
    const CommandLine help = Read({QStringLiteral("--help")});
    QVERIFY(help.Output && help.Output->startsWith(QStringLiteral("Usage: solvar ")) &&
            !help.Output->contains(QStringLiteral("executable_name")) && help.Output->contains(QStringLiteral("FILE.sgf")) &&
            help.Output->contains(QStringLiteral("--movetime")));
    QCOMPARE(help.ExitCode, 0);
    const CommandLine version = Read({QStringLiteral("--version")});
    QCOMPARE(*version.Output, QStringLiteral("Сольвар %1\n").arg(QLatin1String(ProgramVersion)));
    QCOMPARE(version.ExitCode, 0);
  }

  void badCommandLinesSayWhyAndExitWith2() {
    const QList<QStringList> bad{{QStringLiteral("--no-such-option")},
                                 {QStringLiteral("--port"), QStringLiteral("0")},
                                 {QStringLiteral("--port"), QStringLiteral("70000")},
                                 {QStringLiteral("--seed"), QStringLiteral("x")},
                                 {QStringLiteral("--movetime"), QStringLiteral("-5")},
                                 {QStringLiteral("a.sgf"), QStringLiteral("b.sgf")}};
    for (const QStringList& arguments : bad) {
      const CommandLine line = Read(arguments);
      QVERIFY2(line.Output && line.Output->startsWith(QStringLiteral("solvar: ")), qPrintable(arguments.join(u' ')));
      QCOMPARE(line.ExitCode, 2);
    }
  }
};

}  // namespace solvar::app

QTEST_APPLESS_MAIN(solvar::app::CommandLineTest)
#include "command_line_test.moc"
