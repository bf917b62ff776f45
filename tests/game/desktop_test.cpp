// The program at home on a desktop: where the records live and when they
// are written, the help behind F1, and a saved game opened by its file.

#include <QtTest>

#include <QDir>
#include <QRegularExpression>
#include <QTextBrowser>

#include "game/help_window.h"
#include "game/records_location.h"
#include "game_window.h"
#include "match/sgf_file.h"
#include "records/records_file.h"

namespace solvar::game {

using engine::Node;
using test::GameWindow;

namespace {

// Runs with the current directory and the per-user data folder of its own.
class DesktopPlaces {
 public:
  DesktopPlaces() : m_oldCurrent(QDir::currentPath()) {
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(data.Path()));
    QDir::setCurrent(QString::fromStdString(current.Path()));
  }
  ~DesktopPlaces() {
    QDir::setCurrent(m_oldCurrent);
    qunsetenv("XDG_DATA_HOME");
  }
  QString DataFile() const { return QString::fromStdString(data.Path()) + QStringLiteral("/solvar/winner.txt"); }
  QString CurrentFile() const { return QString::fromStdString(current.File("winner.txt")); }

  test::TempDir current;
  test::TempDir data;

 private:
  QString m_oldCurrent;
};

// A window on the records file's usual place, in a game won by the next click
// on (14, 14).
void OpenOnTheUsualRecords(GameWindow& w) {
  w.options.RecordsFile.clear();
  w.Open();
  w->Game().Board().SetFieldSize(15, 15);
  w.Action("N2")->trigger();
  engine::Board& board = w->Game().Board();
  for (int x = 1; x < 15; ++x)
    for (int y = 1; y < 15; ++y) board.Set(x, y, engine::csOwn);
  board.Set(3, 3, engine::csRivalCaptured);
  board.Set(14, 14, engine::csFree);
}

QStringList Links(const QString& page) {
  QFile file(QStringLiteral(":/help/") + page);
  if (!file.open(QIODevice::ReadOnly)) return {};
  QStringList links;
  const QRegularExpression href(QStringLiteral("href=\"([^\"#]+)"));
  for (auto match = href.globalMatch(QString::fromUtf8(file.readAll())); match.hasNext();) links << match.next().captured(1);
  return links;
}

}  // namespace

class DesktopTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() { QCoreApplication::setApplicationName(QStringLiteral("solvar")); }

  // Started from a folder without records (the applications menu's choice):
  // the win goes to the per-user data folder, at once, and a later run there
  // shows it.
  void winIsKeptInTheDataFolderAsSoonAsItEntersTheTable() {
    DesktopPlaces places;
    GameWindow w;
    w.prompts.inputAnswers = {QStringLiteral("Аня")};
    test::ModalCloser closer;
    OpenOnTheUsualRecords(w);
    w.Click(Node{14, 14});
    QCOMPARE(w->Records().Table().RecordCount(), 1);
    // On the disk before the window closes, so that a kill loses nothing.
    QVERIFY(QFileInfo::exists(places.DataFile()));
    QVERIFY(!QFileInfo::exists(places.CurrentFile()));
    records::RecordsTable again;
    records::LoadRecords(again, places.DataFile().toStdString());
    QCOMPARE(again.RecordCount(), 1);
    w.window.reset();
    GameWindow later;
    later.options.RecordsFile.clear();
    later.Open();
    QCOMPARE(later->Records().Table().RecordCount(), 1);
    QVERIFY(later.prompts.errors.isEmpty());
  }

  // A records file already in the current folder is the classic place: a
  // portable copy keeps its own table.
  void recordsFileInTheCurrentFolderIsKeptThere() {
    DesktopPlaces places;
    records::RecordsTable table;
    table.InsertRecord(records::RecordEntry{"Old", 5});
    records::SaveRecords(table, places.CurrentFile().toStdString());
    QCOMPARE(RecordsFilePath(), places.CurrentFile());
    GameWindow w;
    test::ModalCloser closer;
    OpenOnTheUsualRecords(w);
    QCOMPARE(w->Records().Table().RecordCount(), 1);
    w.Click(Node{14, 14});
    records::RecordsTable again;
    records::LoadRecords(again, places.CurrentFile().toStdString());
    QCOMPARE(again.RecordCount(), 2);
    QVERIFY(!QFileInfo::exists(places.DataFile()));
  }

  // A folder nobody may write, like the root folder a desktop may start a
  // program in: the records still land in the data folder, with no box.
  void folderThatCannotBeWrittenLosesNothing() {
    DesktopPlaces places;
    QDir::setCurrent(QStringLiteral("/proc"));
    GameWindow w;
    test::ModalCloser closer;
    OpenOnTheUsualRecords(w);
    w.Click(Node{14, 14});
    w.window.reset();
    QVERIFY(w.prompts.errors.isEmpty());
    records::RecordsTable again;
    records::LoadRecords(again, places.DataFile().toStdString());
    QCOMPARE(again.RecordCount(), 1);
  }

  // As a user who may not write it (root may write anything), a records file
  // in the current folder that cannot be replaced is passed over.
  void recordsFileThatCannotBeReplacedIsPassedOver() {
    DesktopPlaces places;
    records::SaveRecords(records::RecordsTable{}, places.CurrentFile().toStdString());
    const QString expected = places.DataFile();
    const int code = test::RunInChild([&] { return RecordsFilePath() == expected ? 0 : 1; }, /*unprivileged=*/true);
    QCOMPARE(code, 0);
  }

  // F1 opens the program's own help: contents, pages that every link
  // reaches, and pictures drawn by the field painter.
  void f1OpensTheHelpWithItsContentsAndWorkingLinks() {
    GameWindow w;
    w.Open();
    w.window->show();
    QVERIFY(QTest::qWaitForWindowActive(w.window.get()));
    QTest::keyClick(w.window.get(), Qt::Key_F1);
    auto* help = w.window->findChild<HelpWindow*>(QStringLiteral("HelpWindow"));
    QVERIFY(help != nullptr && help->isVisible());
    QTextBrowser* browser = help->Browser();
    QVERIFY(browser->toPlainText().contains(QStringLiteral("Содержание")));
    const QStringList pages = Links(QStringLiteral("index.html"));
    QVERIFY(pages.size() >= 7);
    for (const QString& page : pages) {
      browser->setSource(QUrl(page));
      QVERIFY2(browser->toPlainText().contains(QStringLiteral("Содержание")), qPrintable(page));
      for (const QString& link : Links(page)) QVERIFY2(QFile::exists(QStringLiteral(":/help/") + link), qPrintable(link));
    }
    QVERIFY(w.prompts.messages.isEmpty());
    for (const char* name : {"capture", "capture-two", "area", "open-ring"}) {
      const QImage picture = HelpPicture(QString::fromLatin1(name));
      QVERIFY2(!picture.isNull(), name);
    }
    // A red ring closed around a silver dot: the picture shows it crossed out
    // in a red field, drawn as the game draws it.
    const QImage capture = HelpPicture(QStringLiteral("capture"));
    QCOMPARE(capture.pixel(2 * 18, 2 * 12) & 0xFFFFFF, 0xFF0000u);
  }

  // A classic help file beside the program is still handed to the desktop.
  void classicHelpFileIsOpenedAsBefore() {
    GameWindow w;
    test::WriteBytes(w.options.HelpFile.toStdString(), "help");
    w.Open();
    w.Action("N22")->trigger();
    QCOMPARE(w.desktop.opened.size(), 1);
    QVERIFY(w.desktop.opened[0].endsWith(QStringLiteral("help.hlp#1")));
  }

  // What `solvar FILE.sgf` does once the window is up.
  void savedGameGivenAtStartIsShown() {
    GameWindow w;
    match::GameRecord record;
    record.FieldWidth = 15;
    record.FieldHeight = 15;
    record.Moves = {{engine::Side::Own, {5, 5}}, {engine::Side::Rival, {6, 5}}};
    record.Player2 = "Компьютер (обычный)";
    const std::string path = w.dir.File("партия.sgf");
    test::WriteBytes(path, match::WriteSgf(record, "2026-12-09"));
    w.Open();
    QVERIFY(w->Viewer().Open(QString::fromStdString(path)));
    QVERIFY(w->Viewer().IsShowing());
    QVERIFY(!w.Pole()->isHidden());
    QCOMPARE(w.Find<QLabel>("StatusPanel1")->text(), QStringLiteral("Ход 2 из 2"));
    QVERIFY(!w->Viewer().Open(QString::fromStdString(w.dir.File("нет.sgf"))));
    QCOMPARE(w.prompts.errors.size(), 1);
  }
};

}  // namespace solvar::game

QTEST_MAIN(solvar::game::DesktopTest)
#include "desktop_test.moc"
