#include <QtTest>

#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include "game_window.h"
#include "network_peers.h"
#include "net/message_codec.h"
#include "net/peer_link.h"
#include "text/cp1251.h"

namespace solvar::game {

using engine::Node;
using test::GameWindow;
using namespace test::network;

class NetworkTest : public QObject {
  Q_OBJECT

 private:
  quint16 port = 0;

  void Prepare(GameWindow& w) {
    w.options.Port = port;
    w.Open();
  }

 private Q_SLOTS:
  void init() { port = FreePort(); }

  void wholeGameWhenTheHostStarts() {
    GameWindow host(test::SeedWherePlayerStarts(true));
    GameWindow client;
    Prepare(host);
    Prepare(client);
    host->Game().Board().SetFieldSize(15, 15);
    Host(host, [&] { Join(client); });
    QTRY_VERIFY(client->Game().IsNetwork());
    QVERIFY(host->Game().IsNetwork() && host->Network().Peer().IsHost() && !client->Network().Peer().IsHost());
    QCOMPARE(client->Game().Board().FieldWidth(), 15);
    QVERIFY(host.LogLines().contains(QStringLiteral("INFORM->> Вы ходите первый! Ходите...")));
    QVERIFY(client.LogLines().contains(QStringLiteral("INFORM->> Ваш соперник ходит первый! Ждите...")));
    QVERIFY(host.Pole()->isEnabled() && !client.Pole()->isEnabled());
    QCOMPARE(client.Pole()->size(), QSize(182, 182));
    QVERIFY(client.Action("N18")->isEnabled());

    client.prompts.inputAnswers = {QStringLiteral("Привет, хозяин!")};
    client.Action("N18")->trigger();
    QTRY_VERIFY(host.LogLines().contains(QStringLiteral("MESSAGE->> Привет, хозяин!")));

    MirrorNearlyFullField(host, client);
    host.Click(Node{14, 13});
    QVERIFY(!host.Pole()->isEnabled());
    QTRY_COMPARE(client->Game().Board().At(14, 13), engine::csRival);
    QVERIFY(client.LogLines().contains(QStringLiteral("Ход соперника->> 14 - 13")));
    QVERIFY(client.Pole()->isEnabled());

    test::ModalCloser closer;
    client.Click(Node{14, 14});
    QVERIFY(client.prompts.messages.contains(QStringLiteral("Вы проиграли!!!\nС раздницей 1 точек.")));
    QVERIFY(!client->Game().InProgress());
    QTRY_VERIFY(!host->Game().InProgress());
    QVERIFY(host.prompts.messages.contains(QStringLiteral("Вы победили!!!\nВы окружили 1 точек противника.")));
    QCOMPARE(host->Records().Table().RecordCount(), 1);
    QVERIFY(!host.LogLines().contains(QStringLiteral("Ход соперника->> 14 - 14")));
  }

  void clientStartsAndTheHostsSurrenderEndsBothGames() {
    GameWindow host(test::SeedWherePlayerStarts(false));
    GameWindow client;
    Prepare(host);
    Prepare(client);
    Host(host, [&] { Join(client); });
    QTRY_VERIFY(client->Game().IsNetwork());
    QVERIFY(client.Pole()->isEnabled() && !host.Pole()->isEnabled());
    QVERIFY(host.LogLines().contains(QStringLiteral("INFORM->> Ваш соперник ходит первым! Ждите...")));
    client.Click(Node{10, 10});
    QTRY_COMPARE(host->Game().Board().At(10, 10), engine::csRival);
    QVERIFY(host.Find("Shape1")->isVisibleTo(host.window.get()));
    host.Click(Node{11, 10});
    QTRY_COMPARE(client->Game().Board().At(11, 10), engine::csRival);
    host.prompts.inputAnswers = {QStringLiteral("удачи")};
    host.Action("N18")->trigger();
    QTRY_VERIFY(client.LogLines().contains(QStringLiteral("MESSAGE->> удачи")));
    // «Сдаться» asks first; Нет keeps the game on both sides.
    host.prompts.yesNoAnswers = {false};
    host.Action("N3")->trigger();
    QCOMPARE(host.prompts.messages.last(), QStringLiteral("Прервать партию?"));
    QTest::qWait(100);
    QVERIFY(host->Game().InProgress() && client->Game().InProgress());
    host.Action("N3")->trigger();
    QTRY_VERIFY(!client->Game().InProgress());
    QVERIFY(client.LogLines().contains(QStringLiteral("INFORM->> Разрыв связи...")));
    QVERIFY(!host->Game().IsNetwork());
    QVERIFY(client.prompts.messages.isEmpty());
    // A game against the computer right after accepts clicks at once.
    client.Action("N2")->trigger();
    QVERIFY(client.Pole()->isEnabled());
  }

  void hostSpeaksTheExactBytesAndTreatsItsPeersInputWithCare() {
    GameWindow host(test::SeedWherePlayerStarts(false));  // "YO": the peer moves first
    Prepare(host);
    RawPeer peer;
    Host(host, [&] { peer.socket.connectToHost(QHostAddress::LocalHost, port); });
    QTRY_COMPARE(peer.received, QByteArray("YO31~31"));
    peer.Take();
    peer.Send("PO99~1");
    QTRY_VERIFY(host.LogLines().contains(QStringLiteral("ERROR->> Получен недопустимый ход: 99 - 1")));
    peer.Send("ME15~15");
    peer.Send("XXwhatever");
    QTest::qWait(50);
    QCOMPARE(host->Game().Board().FieldWidth(), 31);
    peer.Send("POx~1");
    QTRY_COMPARE(host.prompts.errors, QStringList{QStringLiteral("'x' is not a valid integer value\n") + PeerFault});
    peer.Send("PO12~7MS" + Cp1251("Ход сделан"));
    QTRY_COMPARE(host->Game().Board().At(12, 7), engine::csRival);
    QTRY_VERIFY(host.LogLines().contains(QStringLiteral("MESSAGE->> Ход сделан")));
    peer.Send("PO12~7");  // the node is taken
    QTRY_VERIFY(host.LogLines().contains(QStringLiteral("ERROR->> Получен недопустимый ход: 12 - 7")));
    host.Click(Node{5, 5});
    QTRY_COMPARE(peer.received, QByteArray("PO5~5"));
    peer.Take();
    peer.Send("MS<b>bold</b>");
    QTRY_VERIFY(host.LogLines().contains(QStringLiteral("MESSAGE->> <b>bold</b>")));
    host.Action("N3")->trigger();
    QTRY_COMPARE(peer.received, QByteArray("DS") + Cp1251("Разрыв связи..."));
  }

  void furtherConnectionIsTurnedAwayWithOrWithoutTheNotice() {
    for (const bool notice : {true, false}) {
      port = FreePort();
      GameWindow host;
      Prepare(host);
      host->CurrentSettings().Network.ShowErrorMessages = notice;
      RawPeer opponent, third;
      Host(host, [&] { opponent.socket.connectToHost(QHostAddress::LocalHost, port); });
      QTRY_VERIFY(!opponent.received.isEmpty());
      third.socket.connectToHost(QHostAddress::LocalHost, port);
      QTRY_COMPARE(third.received, QByteArray("ER") + Cp1251(std::string(net::RefusalText).c_str()));
      QCOMPARE(host.prompts.messages.contains(QStringLiteral("К вам пытались подключиться...")), notice);
      third.Send("PO3~3");
      third.socket.disconnectFromHost();
      QTest::qWait(50);
      QCOMPARE(host->Game().Board().At(3, 3), engine::csFree);
      QVERIFY(host->Game().IsNetwork());
    }
  }

  void clientFollowsTheHostAndItsOptions() {
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost, port));
    GameWindow client;
    Prepare(client);
    QTcpSocket* link = JoinRawHost(client, server);
    QVERIFY(link != nullptr);
    QVERIFY(client.LogLines().contains(QStringLiteral("INFORM->> Соединение...")));
    RawPeer peer;
    QObject::connect(link, &QTcpSocket::readyRead, [&] { peer.received += link->readAll(); });
    link->write("ME99~15");
    QTRY_VERIFY(client.LogLines().contains(QStringLiteral("ERROR->> Получен недопустимый размер поля: 99 - 15")));
    QVERIFY(!client->Game().IsNetwork());
    link->write("ME20~15");
    QTRY_VERIFY(client->Game().IsNetwork());
    QCOMPARE(client->Game().Board().FieldWidth(), 20);
    QVERIFY(!client.Pole()->isEnabled());
    link->write("ER" + Cp1251("занято"));
    QTRY_VERIFY(client.LogLines().contains(QStringLiteral("ERROR->> занято")));
    client->CurrentSettings().Network.ShowErrorMessages = false;
    client->CurrentSettings().Network.ShowRivalMessages = false;
    link->write("ER" + Cp1251("тихо"));
    QTest::qWait(30);
    link->write("MS" + Cp1251("тихо"));
    QTest::qWait(30);
    link->write("QQ");
    QTRY_VERIFY(client.LogLines().contains(QStringLiteral("ERROR->> Получена неизвестная информация!!!")));
    QVERIFY(client.LogLines().filter(QStringLiteral("тихо")).isEmpty());
    link->write("PO4~4");
    QTRY_COMPARE(client->Game().Board().At(4, 4), engine::csRival);
    QVERIFY(client.Pole()->isEnabled());
    client.Click(Node{6, 6});
    QTRY_COMPARE(peer.received, QByteArray("PO6~6"));
    peer.Take();
    link->write("LU");
    QTRY_VERIFY(!client->Game().InProgress());
    QVERIFY(client.prompts.messages.contains(QStringLiteral("Ничья! Так получилось!")));
    QTRY_COMPARE(peer.received, QByteArray("DS") + Cp1251("Разрыв связи..."));
  }

  void refusedConnectionEndsWithTheErrorLine() {
    GameWindow client;
    Prepare(client);
    client.Action("N2")->trigger();  // a game against the computer on screen
    Join(client);
    QTRY_VERIFY(client.LogLines().contains(QStringLiteral("ERROR->> Произошла ошибка!! Клиент отключён...")));
    QVERIFY(!client->Game().InProgress());
  }

  void invalidAddressesAreRefusedBeforeConnecting() {
    GameWindow client;
    Prepare(client);
    client.prompts.inputAnswers = {QStringLiteral("192.168.0.256")};
    client.Action("N17")->trigger();
    QCOMPARE(client.prompts.messages, QStringList{QStringLiteral("Вы ввели не коректный IP адрес!!!")});
    client.prompts.inputAnswers = {QStringLiteral("1..2.3")};
    client.Action("N17")->trigger();
    QCOMPARE(client.prompts.errors, QStringList{QStringLiteral("'' is not a valid integer value")});
    client.prompts.inputAnswers = {std::nullopt};
    client.Action("N17")->trigger();
    QVERIFY(!client.LogLines().contains(QStringLiteral("INFORM->> Соединение...")));
  }

  void peerVanishingMidGameEndsTheGameOnTheSurvivor() {
    GameWindow host;
    Prepare(host);
    auto peer = std::make_unique<RawPeer>();
    Host(host, [&] { peer->socket.connectToHost(QHostAddress::LocalHost, port); });
    QTRY_VERIFY(!peer->received.isEmpty());
    peer->socket.abort();
    peer.reset();
    QTRY_VERIFY(host.LogLines().contains(QStringLiteral("ERROR->> Произошла ошибка!! Клиент отключён...")));
    QVERIFY(!host->Game().InProgress());
  }

  void hostVanishingMidGameEndsTheClientsGame() {
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost, port));
    GameWindow client;
    Prepare(client);
    QTcpSocket* link = JoinRawHost(client, server);
    QVERIFY(link != nullptr);
    link->write("YO15~15");
    QTRY_VERIFY(client->Game().IsNetwork());
    client.Click(Node{7, 7});
    link->abort();
    QTRY_VERIFY(client.LogLines().contains(QStringLiteral("ERROR->> Произошла ошибка!! Клиент отключён...")));
    QVERIFY(!client->Game().InProgress());
    QVERIFY(!client->Game().IsNetwork());
  }

  void megabyteAtOnceIsReadInSlicesAndTheGameGoesOn() {
    GameWindow host(test::SeedWherePlayerStarts(false));  // the peer moves first
    Prepare(host);
    RawPeer peer;
    Host(host, [&] { peer.socket.connectToHost(QHostAddress::LocalHost, port); });
    QTRY_VERIFY(host->Game().IsNetwork());
    peer.Send("MS" + QByteArray(1 << 20, 'a'));
    QTest::qWait(200);
    peer.Send("PO9~9");
    QTRY_COMPARE(host->Game().Board().At(9, 9), engine::csRival);
    QCOMPARE(host.LogLines().filter(QStringLiteral("MESSAGE->> ")).size(), 1);
    QVERIFY(host.LogLines().join(QString()).size() < (1 << 17));
  }

  void silentPeerLeavesTheGameWaitingUntilItEnds() {
    GameWindow host(test::SeedWherePlayerStarts(false));
    Prepare(host);
    RawPeer peer;
    Host(host, [&] { peer.socket.connectToHost(QHostAddress::LocalHost, port); });
    QTRY_VERIFY(host->Game().IsNetwork());
    QTest::qWait(300);
    QVERIFY(host->Game().InProgress());
    QVERIFY(!host.Pole()->isEnabled());
    host.Action("N3")->trigger();
    QVERIFY(!host->Game().InProgress());
    QTRY_VERIFY(peer.received.endsWith(Cp1251("Разрыв связи...")));
  }

  // The peer's reset is seen by the box's nested event loop, which deletes
  // the connection before the refusal is sent.
  void furtherClientResettingWhileTheNoticeIsOpenDoesNotBringTheHostDown() {
    GameWindow host;
    Prepare(host);
    RawPeer opponent, third;
    Host(host, [&] { opponent.Connect(port); });
    QTRY_VERIFY(host->Game().IsNetwork());
    host.prompts.whileOpen = Once(RefusalNotice, [&] {
      third.Reset();
      QTest::qWait(100);
    });
    third.Connect(port);
    QTRY_VERIFY(host.prompts.messages.contains(RefusalNotice));
    QTest::qWait(50);
    QVERIFY(host->Game().IsNetwork());
    host.Click(Node{5, 5});
    QTRY_VERIFY(opponent.received.endsWith("PO5~5"));
  }

  // A second conversion error box, or none, must not hold back what came
  // in while the first was open; a move behind a fragment is not lost.
  void whatArrivesWhileAnErrorBoxIsOpenIsActedOnAfterIt() {
    GameWindow host(test::SeedWherePlayerStarts(false));  // the peer moves first
    Prepare(host);
    RawPeer peer;
    Host(host, [&] { peer.Connect(port); });
    QTRY_VERIFY(host->Game().IsNetwork());
    host.prompts.whileOpen = Once(QStringLiteral("'a' is not a valid integer value\n") + PeerFault, [&] {
      peer.Send("PO7~7");
      QTest::qWait(100);
    });
    peer.Send("POa~b");
    QTRY_COMPARE(host->Game().Board().At(7, 7), engine::csRival);
    host.Click(Node{5, 5});
    host.prompts.whileOpen = Once(QStringLiteral("'c' is not a valid integer value\n") + PeerFault, [&] {
      peer.Send("~dPO8~8");
      QTest::qWait(100);
    });
    peer.Send("POc~d");
    QTRY_COMPARE(host->Game().Board().At(8, 8), engine::csRival);
    QCOMPARE(host.prompts.errors.size(), 2);
  }

  void refusedClientNeverTakesOverTheGame() {
    GameWindow host;
    Prepare(host);
    host->CurrentSettings().Network.ShowErrorMessages = false;
    RawPeer opponent, third;
    Host(host, [&] { opponent.Connect(port); });
    QTRY_VERIFY(host->Game().IsNetwork());
    third.Connect(port);
    QTRY_COMPARE(third.received, Refusal());
    third.Send("PO9~9");
    opponent.socket.disconnectFromHost();
    QTRY_VERIFY(host.LogLines().contains(QStringLiteral("ERROR->> Произошла ошибка!! Клиент отключён...")));
    QVERIFY(!host->Game().InProgress());
    third.Send("PO9~9");
    QTest::qWait(50);
    QCOMPARE(host->Game().Board().At(9, 9), engine::csFree);
    QVERIFY(host.LogLines().filter(QStringLiteral("Ход соперника")).isEmpty());
  }

  void everyWayOfClosingTheWaitingDialogStopsTheServer() {
    GameWindow host;
    Prepare(host);
    const std::vector<std::function<void(QDialog*)>> ways{
        [](QDialog* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); },
        [](QDialog* dialog) { dialog->close(); }};
    for (const auto& close : ways) {
      QTimer::singleShot(20, [&] { close(host.window->findChild<QDialog*>(QStringLiteral("TForm2"))); });
      host.Action("N16")->trigger();
      QTcpSocket probe;
      probe.connectToHost(QHostAddress::LocalHost, port);
      QVERIFY(!probe.waitForConnected(500));
      QVERIFY(!host->Game().IsNetwork());
    }
  }

  void movesOutOfTurnChangeNothing() {
    GameWindow host(test::SeedWherePlayerStarts(false));  // the peer moves first
    Prepare(host);
    host->Game().Board().SetFieldSize(15, 15);
    RawPeer peer;
    Host(host, [&] { peer.Connect(port); });
    QTRY_VERIFY(host->Game().IsNetwork());
    QByteArray flood;
    for (int x = 1; x < 15; ++x)
      for (int y = 1; y < 15; ++y) flood += "PO" + QByteArray::number(x) + "~" + QByteArray::number(y);
    peer.Send(flood);
    QTRY_COMPARE(host->Game().Board().At(1, 1), engine::csRival);
    QTRY_VERIFY(host.LogLines().contains(QStringLiteral("ERROR->> Получен недопустимый ход: 14 - 14")));
    QCOMPARE(engine::CountCells(host->Game().Board()).FreeCount, 195);
    QVERIFY(host->Game().InProgress() && host.Pole()->isEnabled());
    host.Click(Node{7, 7});
    peer.Send("PO2~2");
    QTRY_COMPARE(host->Game().Board().At(2, 2), engine::csRival);
    peer.Send("PO3~3");
    QTRY_VERIFY(host.LogLines().contains(QStringLiteral("ERROR->> Получен недопустимый ход: 3 - 3")));
    QCOMPARE(host->Game().Board().At(3, 3), engine::csFree);
  }

  void sizeOnceTheGameHasStartedIsRefused() {
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost, port));
    GameWindow client;
    Prepare(client);
    QTcpSocket* link = JoinRawHost(client, server);
    QVERIFY(link != nullptr);
    link->write("YO20~20");
    QTRY_VERIFY(client->Game().IsNetwork());
    client.Click(Node{7, 7});
    link->write("ME15~15");
    QTRY_VERIFY(client.LogLines().contains(QStringLiteral("ERROR->> Получен недопустимый размер поля: 15 - 15")));
    QCOMPARE(client->Game().Board().FieldWidth(), 20);
    QCOMPARE(client->Game().Board().At(7, 7), engine::csOwn);
    QCOMPARE(client.Pole()->size(), QSize(242, 242));
  }

  void joinThatNeverHearsTheStartIsGivenUp() {
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost, port));
    GameWindow client;
    client.options.JoinTimeoutMs = 200;
    Prepare(client);
    QTcpSocket* silent = JoinRawHost(client, server);
    QVERIFY(silent != nullptr);
    QTRY_VERIFY(client.LogLines().contains(QStringLiteral("ERROR->> Сервер не начал игру! Соединение закрыто...")));
    QTRY_COMPARE(silent->state(), QAbstractSocket::UnconnectedState);
    QTcpSocket* again = JoinRawHost(client, server);
    QVERIFY(again != nullptr);
    again->write("YO15~15");
    QTRY_VERIFY(client->Game().IsNetwork());
    QTest::qWait(300);  // a started game is not given up
    QVERIFY(client->Game().IsNetwork());
  }

  void burstOfFurtherClientsShowsOneNoticeAndRefusesEach() {
    GameWindow host;
    Prepare(host);
    RawPeer opponent;
    Host(host, [&] { opponent.Connect(port); });
    QTRY_VERIFY(host->Game().IsNetwork());
    std::vector<std::unique_ptr<RawPeer>> further;
    host.prompts.whileOpen = Once(RefusalNotice, [&] {
      for (int i = 0; i < 5; ++i) {
        further.push_back(std::make_unique<RawPeer>());
        further.back()->Connect(port);
      }
      QTest::qWait(200);
    });
    further.push_back(std::make_unique<RawPeer>());
    further.back()->Connect(port);
    QTRY_COMPARE(further.size(), std::size_t{6});
    for (const auto& peer : further) QTRY_COMPARE(peer->received, Refusal());
    QCOMPARE(host.prompts.messages.count(RefusalNotice), 1);
    QVERIFY(host->Game().IsNetwork());
  }

  void cancellingTheWaitStopsListeningAndHostingAgainWorks() {
    GameWindow host;
    Prepare(host);
    QTimer::singleShot(20, [&] {
      host.window->findChild<QDialog*>(QStringLiteral("TForm2"))->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
    });
    host.Action("N16")->trigger();
    QVERIFY(host.LogLines().contains(QStringLiteral("INFORM->> Сервер запущен...")));
    QTcpSocket probe;
    probe.connectToHost(QHostAddress::LocalHost, port);
    QVERIFY(!probe.waitForConnected(1000));
    RawPeer peer;
    Host(host, [&] { peer.socket.connectToHost(QHostAddress::LocalHost, port); });
    QTRY_VERIFY(host->Game().IsNetwork());
  }

  // A burst of bad messages costs the player one box; the rest is logged.
  void fortyMalformedMovesInOneWriteCostOneBox() {
    GameWindow host(test::SeedWherePlayerStarts(false));
    Prepare(host);
    RawPeer peer;
    Host(host, [&] { peer.Connect(port); });
    QTRY_VERIFY(host->Game().IsNetwork());
    peer.Send(QByteArray("PO1").repeated(40));
    QTRY_COMPARE(host.LogLines().count(QStringLiteral("ERROR->> '' is not a valid integer value")), 39);
    QTRY_COMPARE(host.prompts.errors, QStringList{QStringLiteral("'' is not a valid integer value\n") + PeerFault});
    peer.Send("PO9~9");
    QTRY_COMPARE(host->Game().Board().At(9, 9), engine::csRival);
  }

  // A number the size of the whole read is cut in the box to what a person
  // can read.
  void longNumberIsCutInItsBox() {
    GameWindow host(test::SeedWherePlayerStarts(false));
    Prepare(host);
    RawPeer peer;
    Host(host, [&] { peer.Connect(port); });
    QTRY_VERIFY(host->Game().IsNetwork());
    peer.Send("PO" + QByteArray(60 * 1024, '7') + "x~1");  // one read
    QTRY_COMPARE(host.prompts.errors.size(), 1);
    const QStringList lines = host.prompts.errors[0].split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines[0].size(), 201);
    QVERIFY(lines[0].startsWith(QStringLiteral("'777")) && lines[0].endsWith(QStringLiteral("…")));
    QCOMPARE(lines[1], PeerFault);
  }

  // A stranger that reconnects as soon as it is refused gets one notice
  // out of the host, and the host's moves still get through.
  void strangerReconnectingInALoopCannotKeepTheHostFromPlaying() {
    GameWindow host;
    Prepare(host);
    RawPeer opponent;
    Host(host, [&] { opponent.Connect(port); });
    QTRY_VERIFY(host->Game().IsNetwork());
    std::vector<std::unique_ptr<RawPeer>> strangers;
    QTimer loop;
    QObject::connect(&loop, &QTimer::timeout, [&] {
      strangers.push_back(std::make_unique<RawPeer>());
      strangers.back()->Connect(port);
    });
    loop.start(20);
    QTest::qWait(600);
    host.Click(Node{5, 5});
    QTRY_VERIFY(opponent.received.endsWith("PO5~5"));
    loop.stop();
    QCOMPARE(host.prompts.messages.count(RefusalNotice), 1);
    for (const auto& stranger : strangers) QTRY_COMPARE(stranger->received, Refusal());
    // Turned away without a box: the connection is closed once told.
    QTRY_COMPARE(strangers.back()->socket.state(), QAbstractSocket::UnconnectedState);
    QVERIFY(host->Game().IsNetwork());
  }

  // A host that accepts a join and closes it, with a goodbye or a reset,
  // before starting the game: the player hears of it at once and can join
  // again.
  void hostClosingAJoinIsReportedAtOnce() {
    for (const bool reset : {false, true}) {
      port = FreePort();
      QTcpServer server;
      QVERIFY(server.listen(QHostAddress::LocalHost, port));
      GameWindow client;
      Prepare(client);
      QTcpSocket* link = JoinRawHost(client, server);
      QVERIFY(link != nullptr);
      QElapsedTimer clock;
      clock.start();
      if (reset) {
        ResetSocket(*link);
      } else {
        link->disconnectFromHost();
      }
      QTRY_VERIFY_WITH_TIMEOUT(client.LogLines().contains(QStringLiteral("ERROR->> Произошла ошибка!! Клиент отключён...")), 2000);
      QVERIFY(clock.elapsed() < 2000);
      QTcpSocket* again = JoinRawHost(client, server);
      QVERIFY(again != nullptr);
      again->write("YO15~15");
      QTRY_VERIFY(client->Game().IsNetwork());
    }
  }

  void chatCannotPrintALineThatLooksLikeTheProgramsOwn() {
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost, port));
    GameWindow client;
    Prepare(client);
    QTcpSocket* link = JoinRawHost(client, server);
    QVERIFY(link != nullptr);
    link->write("ME15~15");
    QTRY_VERIFY(client->Game().IsNetwork());
    link->write("MS" + Cp1251("удачи\r\nINFORM->> Вы выиграли!\nХод соперника->> 1 - 1"));
    QTRY_VERIFY(client.LogLines().filter(QStringLiteral("MESSAGE->> ")).size() == 1);
    QCOMPARE(client.LogLines().last(), QStringLiteral("MESSAGE->> удачи¶INFORM->> Вы выиграли!¶Ход соперника->> 1 - 1"));
    QVERIFY(!client.LogLines().contains(QStringLiteral("INFORM->> Вы выиграли!")));
  }
};

}  // namespace solvar::game

QTEST_MAIN(solvar::game::NetworkTest)
#include "network_test.moc"
