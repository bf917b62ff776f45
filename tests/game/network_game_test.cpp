// Network play without a main window: two sides, each a match and its
// network feature wired to its sockets as the window wires them, host and
// join each other over loopback, chat, and turn a third program away.
#include <QtTest>

#include <QDialog>
#include <QTcpServer>
#include <QTcpSocket>
#include <QWidget>

#include "game/network_game.h"
#include "game/window_boxes.h"
#include "match/match_events.h"
#include "net/connection.h"
#include "net/peer_link.h"
#include "support/scripted_prompts.h"
#include "text/cp1251.h"

namespace solvar::game {

namespace {

quint16 FreePort() {
  QTcpServer probe;
  probe.listen(QHostAddress::LocalHost, 0);
  return probe.serverPort();
}

bool Logged(const test::MatchEvents& events, const std::string& line) {
  return std::find(events.lines.begin(), events.lines.end(), line) != events.lines.end();
}

struct Side {
  explicit Side(quint16 port)
      : boxes(prompts, &window),
        match(events, random, records),
        network(window, match, boxes, options, port, 5000, [this](const QString& line) { log << line; }) {
    net::ServerSocket& server = network.Server();
    net::ClientSocket& client = network.Client();
    const auto socket = [this](std::function<void()> work) { boxes.InSocketHandler(work); };
    QObject::connect(&server, &net::ServerSocket::ClientConnected, &window,
                     [=, this](QTcpSocket* c) { socket([=, this] { network.ClientConnected(c); }); });
    QObject::connect(&server, &net::ServerSocket::ClientRead, &window, [=, this](QTcpSocket* c, const QByteArray& bytes) {
      socket([=, this] { network.ServerRead(c, bytes); });
    });
    QObject::connect(&server, &net::ServerSocket::ClientError, &window,
                     [=, this](QTcpSocket* c) { socket([=, this] { network.ServerClosedOrFailed(c); }); });
    QObject::connect(&server, &net::ServerSocket::ClientClosed, &window,
                     [=, this](QTcpSocket* c) { socket([=, this] { network.ServerClosedOrFailed(c); }); });
    QObject::connect(&client, &net::ClientSocket::DataRead, &window,
                     [=, this](const QByteArray& bytes) { socket([=, this] { network.ClientRead(bytes); }); });
    QObject::connect(&client, &net::ClientSocket::Disconnecting, &window,
                     [=, this] { socket([this] { network.ClientDisconnecting(); }); });
    QObject::connect(&client, &net::ClientSocket::Failed, &window, [=, this] { socket([this] { network.ClientFailed(); }); });
    QObject::connect(&client, &net::ClientSocket::ClosedByPeer, &window,
                     [=, this] { socket([this] { network.ClientClosedByPeer(); }); });
  }

  QWidget window;
  test::ScriptedPrompts prompts;
  WindowBoxes boxes;
  test::MatchEvents events;
  engine::Random random{5};
  records::RecordsTable records;
  net::NetworkOptions options;
  QStringList log;
  match::Match match;
  NetworkGame network;
};

// The host waits (its waiting window is modal) while the client joins.
void HostAndJoin(Side& host, Side& client) {
  client.prompts.inputAnswers = {QStringLiteral("127.0.0.1")};
  QTimer::singleShot(20, &client.window, [&client] { client.network.Join(); });
  QTimer::singleShot(5000, &host.window, [&host] {
    if (auto* waiting = host.window.findChild<QDialog*>(QStringLiteral("TForm2")); waiting && waiting->isVisible())
      waiting->reject();
  });
  host.network.Host();
}

}  // namespace

class NetworkGameTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void twoSidesHostJoinAndChat() {
    const quint16 port = FreePort();
    Side host(port);
    Side client(port);
    HostAndJoin(host, client);
    QTRY_VERIFY(host.match.IsNetwork() && client.match.IsNetwork());
    QVERIFY(host.network.Peer().IsHost() && !client.network.Peer().IsHost());
    QCOMPARE(host.log.front(), QStringLiteral("INFORM->> Сервер запущен..."));
    QCOMPARE(client.log.front(), QStringLiteral("INFORM->> Соединение..."));
    client.prompts.inputAnswers = {QStringLiteral("Привет, сервер")};
    client.network.SendChat();
    QTRY_VERIFY(Logged(host.events, "MESSAGE->> Привет, сервер"));
  }

  void aThirdProgramIsTurnedAwayWithOneNotice() {
    const quint16 port = FreePort();
    Side host(port);
    Side client(port);
    HostAndJoin(host, client);
    QTRY_VERIFY(host.match.IsNetwork());
    QTcpSocket third;
    QTcpSocket fourth;
    third.connectToHost(QHostAddress::LocalHost, port);
    QTRY_VERIFY(third.bytesAvailable() > 0 || third.waitForReadyRead(50));
    QVERIFY(third.readAll().startsWith(QByteArray::fromStdString(text::Utf8ToCp1251("ER"))));
    fourth.connectToHost(QHostAddress::LocalHost, port);
    QTRY_VERIFY(fourth.bytesAvailable() > 0 || fourth.waitForReadyRead(50));
    QTest::qWait(50);
    QCOMPARE(host.prompts.messages.count(QStringLiteral("К вам пытались подключиться...")), 1);
    QVERIFY(host.match.IsNetwork() && client.match.IsNetwork());  // the game goes on
  }

  void aJoinWithNoHostFailsAndLeavesNoGame() {
    Side client(FreePort());
    client.prompts.inputAnswers = {QStringLiteral("127.0.0.1")};
    client.network.Join();
    QTRY_VERIFY(!client.network.Client().IsActive());
    QVERIFY(!client.match.IsNetwork() && !client.match.InProgress());
    client.prompts.inputAnswers = {QStringLiteral("300.1.1.1")};
    client.network.Join();
    QCOMPARE(client.prompts.messages.back(), QStringLiteral("Вы ввели не коректный IP адрес!!!"));
  }
};

}  // namespace solvar::game

QTEST_MAIN(solvar::game::NetworkGameTest)
#include "network_game_test.moc"
