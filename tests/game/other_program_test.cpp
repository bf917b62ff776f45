// «Другая программа…»: a game against another dots program through the
// engines' common protocol — our own engine in that mode, and programs that
// fail in every way a program can.

#include <QtTest>

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>

#include "game_window.h"

namespace solvar::game {

using engine::Node;
using test::FirstFreeNode;
using test::GameWindow;

namespace {

QString OurEngine() { return QStringLiteral(SOLVAR_ENGINE_PATH) + QStringLiteral(" --protocol points --rules classic"); }

// A shell script as the other program, its command line as a person would
// type it into a terminal.
QString Script(const char* body) { return QStringLiteral("sh -c '%1'").arg(QString::fromLatin1(body)); }

void ChooseOtherProgram(GameWindow& w, const QString& commandLine) {
  w.prompts.inputAnswers = {commandLine};
  w.Action("N39")->trigger();
  QVERIFY(w.Action("N39")->isChecked());
}

// Whether a process still runs (a zombie left to be reaped does not).
bool Runs(qint64 pid) {
  QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
  if (!stat.open(QIODevice::ReadOnly)) return false;
  const QByteArray line = stat.readAll();
  const qsizetype close = line.lastIndexOf(')');
  return close > 0 && close + 2 < line.size() && line.at(close + 2) != 'Z';
}

int RunningPrograms(GameWindow& w) {
  int running = 0;
  for (const QProcess* process : w.window->findChildren<QProcess*>())
    running += process->state() != QProcess::NotRunning ? 1 : 0;
  return running;
}

}  // namespace

class OtherProgramTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  // The command line is asked with the last one offered, kept in the
  // settings file for the next run; cancelling keeps the level.
  void commandLineIsAskedAndKeptForTheNextRun() {
    GameWindow w;
    w.options.SettingsFile = QString::fromStdString(w.dir.File("solvar.ini"));
    w.Open();
    w.prompts.inputAnswers = {std::nullopt};
    w.Action("N39")->trigger();
    QVERIFY(w.Action("N28")->isChecked() && !w.Action("N39")->isChecked());
    ChooseOtherProgram(w, QStringLiteral("  my-engine --fast  "));
    QCOMPARE(w.prompts.inputs.last(),
             QStringLiteral("Другая программа|Командная строка программы (протокол точек, версия 6):|"));
    QCOMPARE(QSettings(w.options.SettingsFile, QSettings::IniFormat).value(QStringLiteral("engine/commandLine")).toString(),
             QStringLiteral("my-engine --fast"));
    w.window.reset();
    w.Open();
    QVERIFY(w.Action("N39")->isChecked());  // the level is kept with the program
    w.prompts.inputAnswers = {std::nullopt};
    w.Action("N39")->trigger();
    QVERIFY(w.prompts.inputs.last().endsWith(QStringLiteral("|my-engine --fast")));
    QVERIFY(w.Action("N39")->isChecked());
  }

  void wholeGameAgainstOurEngine_data() {
    QTest::addColumn<bool>("playerFirst");
    QTest::newRow("player first") << true;
    QTest::newRow("program first") << false;
  }

  // Both ways round, to the end box: the program's name in the record, the
  // countdown while it thinks.
  void wholeGameAgainstOurEngine() {
    QFETCH(bool, playerFirst);
    GameWindow w(test::SeedWherePlayerStarts(playerFirst));
    w.options.SettingsFile = QString::fromStdString(w.dir.File("solvar.ini"));
    w.options.StrongMoveTimeMs = 30;
    w.Open();
    w->Game().Board().SetFieldSize(15, 15);
    test::ModalCloser closer;
    ChooseOtherProgram(w, OurEngine());
    w.Action("N2")->trigger();
    bool sawCountdown = false;
    for (int clicks = 0; w->Game().InProgress() && clicks < 300; ++clicks) {
      QTRY_VERIFY_WITH_TIMEOUT(w.Pole()->isEnabled() || !w->Game().InProgress(), 10000);
      if (!w->Game().InProgress()) break;
      w.Click(FirstFreeNode(w->Game()));
      sawCountdown |= w.Label("StatusPanel1").startsWith(QStringLiteral("Компьютер думает... "));
    }
    QVERIFY(!w->Game().InProgress());
    QVERIFY(sawCountdown);
    QVERIFY2(w.prompts.messages.filter(QRegularExpression(QStringLiteral("^(Вы победили|Вы проиграли|Ничья)"))).size() == 1,
             qPrintable(w.prompts.messages.join(QLatin1Char('|'))));
    const match::GameRecord record = w->Game().Record();
    QCOMPARE(QString::fromStdString(record.Player2), QStringLiteral("solvar"));
    QCOMPARE(record.Moves.front().Mover, playerFirst ? engine::Side::Own : engine::Side::Rival);
    for (std::size_t i = 1; i < record.Moves.size(); ++i) QVERIFY(record.Moves[i].Mover != record.Moves[i - 1].Mover);
    QTRY_COMPARE(RunningPrograms(w), 0);
  }

  void brokenProgramEndsTheGameWithAMessage_data() {
    QTest::addColumn<QString>("commandLine");
    QTest::addColumn<QString>("message");
    QTest::newRow("does not start") << QStringLiteral("/nonexistent/engine") << QStringLiteral("не запускается");
    QTest::newRow("dies") << Script("read line; exit 3") << QStringLiteral("завершилась во время партии");
    QTest::newRow("hangs") << Script("while read line; do :; done") << QStringLiteral("не ответила за");
    QTest::newRow("nonsense") << Script("while read line; do echo hello; done") << QStringLiteral("не по протоколу");
    QTest::newRow("refuses") << Script("while read id cmd rest; do echo \"? $id $cmd\"; done")
                             << QStringLiteral("ответила ошибкой на команду «1 init 14 14");
    QTest::newRow("taken node")
        << Script("while read id cmd rest; do case $cmd in gen_move_with_time) echo \"= $id $cmd 6 6 1\";; "
                  "*) echo \"= $id $cmd $rest\";; esac; done")
        << QStringLiteral("пошла на занятый узел 7 - 7");
  }

  // Each failure ends the game with a box that says what happened; the
  // window goes on, the records are untouched, the next game can start.
  void brokenProgramEndsTheGameWithAMessage() {
    QFETCH(QString, commandLine);
    QFETCH(QString, message);
    GameWindow w(test::SeedWherePlayerStarts(true));
    w.options.SettingsFile = QString::fromStdString(w.dir.File("solvar.ini"));
    w.options.StrongMoveTimeMs = 30;
    w.options.EngineGraceMs = 400;
    w.Open();
    w->Game().Board().SetFieldSize(15, 15);
    ChooseOtherProgram(w, commandLine);
    w.Action("N2")->trigger();
    w.Click(Node{3, 3});
    // The taken node comes with the program's second move.
    QTRY_VERIFY_WITH_TIMEOUT(w.Pole()->isEnabled() || !w->Game().InProgress(), 10000);
    if (w->Game().InProgress()) w.Click(Node{9, 9});
    QTRY_VERIFY_WITH_TIMEOUT(!w->Game().InProgress(), 10000);
    QVERIFY2(w.prompts.messages.last().contains(message), qPrintable(w.prompts.messages.last()));
    QVERIFY(w.prompts.messages.last().endsWith(QStringLiteral("\nПартия прервана.")));
    QVERIFY(w.LogLines().last().startsWith(QStringLiteral("ERROR->> Другая программа")));
    QCOMPARE(w->Records().Table().RecordCount(), 0);
    QTRY_COMPARE(RunningPrograms(w), 0);
    w.Action("N28")->trigger();
    w.Action("N2")->trigger();
    QVERIFY(w->Game().InProgress());
  }

  // What the program started itself ends with it: the program runs in a
  // process group of its own, and the whole group is ended.
  void programsChildrenEndWithIt() {
    GameWindow w(test::SeedWherePlayerStarts(true));
    const QString pidFile = QString::fromStdString(w.dir.File("child.pid"));
    w.options.StrongMoveTimeMs = 5000;
    w.options.EngineGraceMs = 200;
    w.Open();
    ChooseOtherProgram(w, Script(qPrintable(QStringLiteral("sleep 300 & echo $! > %1; while read line; do :; done").arg(pidFile))));
    w.Action("N2")->trigger();
    w.Click(Node{10, 10});
    QTRY_VERIFY(QFile::exists(pidFile) && QFileInfo(pidFile).size() > 0);
    QFile file(pidFile);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const qint64 child = file.readAll().trimmed().toLongLong();
    QVERIFY(Runs(child));
    w.Action("N3")->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(RunningPrograms(w), 0, 3000);
    QTRY_VERIFY_WITH_TIMEOUT(!Runs(child), 3000);
  }

  // «Сдаться» while the program thinks ends the game and the program.
  void surrenderStopsTheProgram() {
    GameWindow w(test::SeedWherePlayerStarts(true));
    w.options.SettingsFile = QString::fromStdString(w.dir.File("solvar.ini"));
    w.options.StrongMoveTimeMs = 5000;
    w.Open();
    ChooseOtherProgram(w, OurEngine());
    w.Action("N2")->trigger();
    w.Click(Node{10, 10});
    QVERIFY(!w.Pole()->isEnabled());
    QTRY_COMPARE(RunningPrograms(w), 1);
    w.Action("N3")->trigger();
    QVERIFY(!w->Game().InProgress());
    QTRY_COMPARE_WITH_TIMEOUT(RunningPrograms(w), 0, 3000);
    QTest::qWait(100);
    QCOMPARE(w->Game().Moves().size(), std::size_t{1});  // no late answer
  }
};

}  // namespace solvar::game

QTEST_MAIN(solvar::game::OtherProgramTest)
#include "other_program_test.moc"
