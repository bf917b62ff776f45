// Qt's dialogs take sizes and dates from the system's locale, which Qt reads
// once: the program makes it Russian before the application exists, then
// gives the environment back as it was.

#include <QtTest>

#include <QApplication>
#include <QFileSystemModel>

#include <clocale>
#include <optional>

#include "game/qt_translations.h"

class RussianLocaleTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void systemLocaleIsRussianAndTheEnvironmentIsTheUsers() {
    QCOMPARE(QLocale::system().name(), QStringLiteral("ru_RU"));
    QCOMPARE(QLocale::system().toString(1.5), QStringLiteral("1,5"));
    QCOMPARE(qgetenv("LC_ALL"), QByteArray("C.UTF-8"));
    QVERIFY(!qEnvironmentVariableIsSet("LC_TIME"));
    QVERIFY(!qEnvironmentVariableIsSet("LC_CTYPE"));
  }
};

int main(int argc, char* argv[]) {
  // As a user whose whole locale is C.UTF-8 would start the program.
  qputenv("LC_ALL", "C.UTF-8");
  qunsetenv("LC_TIME");
  qunsetenv("LC_CTYPE");
  std::optional<solvar::game::RussianSystemLocale> russian(std::in_place);
  QApplication app(argc, argv);
  (void)QLocale::system();
  russian.reset();
  RussianLocaleTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "russian_locale_test.moc"
