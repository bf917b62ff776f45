// What the program keeps between runs: a first run has the defaults, each
// change is in the file at once (a killed program loses nothing), the next
// run starts with it, a damaged file gives the defaults and a line in the
// log, and the command line wins over the file.

#include <QtTest>

#include <QFile>
#include <QSettings>

#include "dialogs/field_size_dialog.h"
#include "game/settings_store.h"
#include "game_window.h"

namespace solvar::game {

using test::GameWindow;

namespace {

void WriteFile(const QString& path, const QByteArray& text) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(text);
}

QVariant Kept(const GameWindow& w, const char* key) {
  return QSettings(w.options.SettingsFile, QSettings::IniFormat).value(QLatin1String(key));
}

void ChooseFieldSize(GameWindow& w, int width, int height) {
  auto* form4 = w.window->findChild<dialogs::TForm4*>(QStringLiteral("TForm4"));
  QTimer::singleShot(0, [form4, width, height] {
    form4->SetChosenSize(width, height);
    form4->BitBtn1Click();
  });
  w.Action("N4")->trigger();
}

}  // namespace

class KeptSettingsTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void firstRunHasTheDefaultsAndWritesNothing() {
    GameWindow w;
    w.Open();
    const Settings& kept = w->CurrentSettings();
    const Settings defaults;
    QCOMPARE(kept.Colors.OwnColor, defaults.Colors.OwnColor);
    QCOMPARE(kept.Colors.BackColor, defaults.Colors.BackColor);
    QCOMPARE(kept.Level, ComputerLevel::Standard);
    QCOMPARE(kept.Rules, engine::Rules::Classic);
    QCOMPARE(kept.Zoom, 1.0);
    QCOMPARE(w->Network().Port(), 3333);
    QVERIFY(w.Action("N28")->isChecked() && w.Action("N33")->isChecked() && w.Action("N41")->isChecked());
    w.Action("N2")->trigger();
    QCOMPARE(w->Game().Board().FieldWidth(), engine::DefaultFieldWidth);
    QVERIFY(!w.LogLines().join(QLatin1Char('\n')).contains(QStringLiteral("Файл настроек")));
    QVERIFY(!QFile::exists(w.options.SettingsFile));
  }

  // Each change is written as it is made; the next run starts with them all.
  void changesAreWrittenAtOnceAndTheNextRunHasThem() {
    GameWindow w;
    w.Open();
    ChooseFieldSize(w, 20, 18);
    w.prompts.colorAnswers = {0x00FF00};
    w.Action("N11")->trigger();
    w.Action("N29")->trigger();
    w.Action("N34")->trigger();
    w.Action("N42")->trigger();
    QCOMPARE(Kept(w, "field/width").toInt(), 20);
    QCOMPARE(Kept(w, "field/height").toInt(), 18);
    QCOMPARE(Kept(w, "colors/background").toString(), QStringLiteral("0x00ff00"));
    QCOMPARE(Kept(w, "computer/level").toString(), QStringLiteral("strong"));
    QCOMPARE(Kept(w, "game/rules").toString(), QStringLiteral("sport"));
    QCOMPARE(Kept(w, "view/zoom").toString(), QStringLiteral("150"));

    GameWindow later;
    later.options.SettingsFile = w.options.SettingsFile;
    later.Open();
    QCOMPARE(later->CurrentSettings().Colors.BackColor, render::Color{0x00FF00});
    QVERIFY(later.Action("N29")->isChecked() && later.Action("N34")->isChecked() && later.Action("N42")->isChecked());
    later.Action("N2")->trigger();
    QCOMPARE(later->Game().Board().FieldWidth(), 20);
    QCOMPARE(later->Game().Board().FieldHeight(), 18);
    QCOMPARE(later->Game().Rules(), engine::Rules::Sport);
    QCOMPARE(later->Field().Zoom(), 1.5);
    // The size box offers the size kept.
    auto* form4 = later.window->findChild<dialogs::TForm4*>(QStringLiteral("TForm4"));
    QCOMPARE(form4->ChosenWidth(), 20);
    QCOMPARE(form4->ChosenHeight(), 18);
  }

  // The folder of the last saved game and the address last joined are
  // offered again.
  void folderAndAddressAreOfferedAgain() {
    GameWindow w;
    w.Open();
    w.Action("N2")->trigger();
    w.Click(engine::Node{5, 5});
    const QString saved = QString::fromStdString(w.dir.File("games/one.sgf"));
    QVERIFY(QDir().mkpath(QFileInfo(saved).absolutePath()));
    w.prompts.fileAnswers = {saved};
    w.Action("N30")->trigger();
    QVERIFY(QFile::exists(saved));
    QCOMPARE(Kept(w, "games/folder").toString(), QFileInfo(saved).absolutePath());
    QSettings(w.options.SettingsFile, QSettings::IniFormat).setValue(QStringLiteral("network/lastAddress"),
                                                                    QStringLiteral("10.0.0.7"));
    GameWindow later;
    later.options.SettingsFile = w.options.SettingsFile;
    later.Open();
    later.Action("N31")->trigger();
    QCOMPARE(later.prompts.fileFolders.last(), QFileInfo(saved).absolutePath());
    later.prompts.inputAnswers = {std::nullopt};
    later.Action("N17")->trigger();
    QVERIFY2(later.prompts.inputs.last().endsWith(QStringLiteral("|10.0.0.7")), qPrintable(later.prompts.inputs.last()));
  }

  void damagedFileGivesTheDefaultsAndSaysSo_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("values not the program's")
        << QByteArray("[field]\nwidth=abc\nheight=9999\n[computer]\nlevel=wizard\n[view]\nzoom=1000\n");
    QTest::newRow("binary noise") << QByteArray("\x00\xff\xfe[[[=\n\x01\x02=\x03\n[colors]\nown=-5\n", 29);
    QTest::newRow("a window place of nonsense") << QByteArray("[window]\nplace=1, 2, -3, x\n");
  }

  void damagedFileGivesTheDefaultsAndSaysSo() {
    QFETCH(QByteArray, text);
    GameWindow w;
    WriteFile(w.options.SettingsFile, text);
    w.Open();
    QVERIFY2(w.LogLines().filter(QStringLiteral("ERROR->> Файл настроек solvar.ini")).size() == 1,
             qPrintable(w.LogLines().join(QLatin1Char('\n'))));
    QCOMPARE(w->CurrentSettings().Level, ComputerLevel::Standard);
    QCOMPARE(w->CurrentSettings().Zoom, 1.0);
    QCOMPARE(w->CurrentSettings().Colors.OwnColor, Settings().Colors.OwnColor);
    w.Action("N2")->trigger();
    QCOMPARE(w->Game().Board().FieldWidth(), engine::DefaultFieldWidth);
  }

  // A file that cannot be read at all (here a folder in its place).
  void unreadableFileGivesTheDefaultsAndSaysSo() {
    GameWindow w;
    QVERIFY(QDir().mkpath(w.options.SettingsFile));
    w.Open();
    QCOMPARE(w.LogLines().filter(QStringLiteral("ERROR->> Файл настроек solvar.ini")).size(), 1);
    w.Action("N29")->trigger();  // a change that cannot be written breaks nothing
    QVERIFY(w.Action("N29")->isChecked());
  }

  // --port wins over the file, and is the port kept from then on: the next
  // run without it plays over it too.
  void portOnTheCommandLineIsKept() {
    GameWindow w;
    WriteFile(w.options.SettingsFile, "[network]\nport=4444\n");
    w.Open();
    QCOMPARE(w->Network().Port(), 4444);
    GameWindow given;
    given.options.SettingsFile = w.options.SettingsFile;
    given.options.Port = 5555;
    given.Open();
    QCOMPARE(given->Network().Port(), 5555);
    QCOMPARE(Kept(given, "network/port").toInt(), 5555);
    GameWindow later;
    later.options.SettingsFile = w.options.SettingsFile;
    later.Open();
    QCOMPARE(later->Network().Port(), 5555);
  }

  // A file of random bytes holds no key of the program's: it is damaged, the
  // log says so, and what it held is not written back with the next setting.
  void randomBytesAreDamageAndAreNotWrittenBack() {
    GameWindow w;
    QByteArray noise;
    std::uint32_t state = 12345;
    for (int i = 0; i < 600; ++i) {
      state = state * 1103515245U + 12345U;
      noise.append(static_cast<char>((state >> 16) & 0xFF));
    }
    noise.append("\njunk=1\n[strange]\nkey=2\n");
    WriteFile(w.options.SettingsFile, noise);
    w.Open();
    QCOMPARE(w.LogLines().filter(QStringLiteral("ERROR->> Файл настроек solvar.ini")).size(), 1);
    w.Action("N29")->trigger();
    const QStringList keys = QSettings(w.options.SettingsFile, QSettings::IniFormat).allKeys();
    QCOMPARE(keys, QStringList{QStringLiteral("computer/level")});
  }

  // The window comes back where it was moved to.
  void windowComesBackWhereItWas() {
    GameWindow w;
    w.Open();
    w->show();
    w->move(321, 123);
    QTRY_COMPARE(Kept(w, "window/place").toStringList().mid(0, 2), (QStringList{QStringLiteral("321"), QStringLiteral("123")}));
    GameWindow later;
    later.options.SettingsFile = w.options.SettingsFile;
    later.Open();
    QCOMPARE(later->pos(), QPoint(321, 123));
  }
};

}  // namespace solvar::game

QTEST_MAIN(solvar::game::KeptSettingsTest)
#include "kept_settings_test.moc"
