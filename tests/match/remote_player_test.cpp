// A network game driven by a scripted peer: what the remote player sends,
// and what each message from the peer does to the game.
#include <gtest/gtest.h>

#include "match/peer_text.h"
#include "match/remote_player.h"
#include "match_events.h"
#include "net/message_codec.h"
#include "support/board_builder.h"
#include "text/cp1251.h"
#include "text/program_error.h"

namespace solvar::match {
namespace {

using engine::csFree;
using engine::csOwn;
using engine::csRival;
using engine::Node;
using engine::Side;

class ScriptedChannel : public net::PeerChannel {
 public:
  bool IsHost() const override { return host; }
  bool IsOpen() const override { return open; }
  void Send(const std::string& bytes) override { sent.push_back(bytes); }
  void Stop() override {
    open = false;
    ++stops;
  }
  std::string PeerName() const override { return "192.0.2.7"; }
  bool host = true;
  bool open = true;
  int stops = 0;
  std::vector<std::string> sent;
};

std::string Cp1251(std::string_view utf8) { return text::Utf8ToCp1251(utf8); }

class MatchRemotePlayerTest : public ::testing::Test {
 protected:
  // The host accepts its opponent; `localFirst` decides the draw.
  void Host(bool localFirst) {
    random.FixSeed(test::SeedWhereLocalStarts(localFirst));
    remote.StartAsHost();
  }
  // The client hears the host's start message.
  void Join(const std::string& start) {
    channel.host = false;
    remote.Receive(start);
  }

  test::MatchEvents events;
  engine::Random random{1};
  records::RecordsTable records;
  Match game{events, random, records};
  ScriptedChannel channel;
  net::NetworkOptions options;
  RemotePlayer remote{game, channel, options};
};

TEST_F(MatchRemotePlayerTest, HostDrawsWhoStartsAndTellsTheClientItsSize) {
  game.Board().SetFieldSize(20, 15);
  Host(true);
  EXPECT_EQ(channel.sent, std::vector<std::string>{"ME20~15"});
  EXPECT_EQ(events.lines, std::vector<std::string>{"INFORM->> Вы ходите первый! Ходите..."});
  EXPECT_TRUE(game.IsNetwork() && game.InProgress());
  EXPECT_EQ(game.ToMove(), Turn::Local);
  game.End();
  channel.sent.clear();
  events.Clear();
  Host(false);
  EXPECT_EQ(channel.sent, std::vector<std::string>{"YO20~15"});
  EXPECT_EQ(events.lines, std::vector<std::string>{"INFORM->> Ваш соперник ходит первым! Ждите..."});
  EXPECT_EQ(game.ToMove(), Turn::Opponent);
}

TEST_F(MatchRemotePlayerTest, MovesAlternateAndOnlyTheirTurnsMovesAreTaken) {
  Host(true);
  remote.Receive("PO3~3");  // before the host has moved
  EXPECT_EQ(game.Board().At(3, 3), csFree);
  game.PlayLocal(Node{10, 10});
  EXPECT_EQ(channel.sent.back(), "PO10~10");
  EXPECT_EQ(game.ToMove(), Turn::Opponent);
  remote.Receive("PO11~10");
  EXPECT_EQ(game.Board().At(11, 10), csRival);
  EXPECT_EQ(game.ToMove(), Turn::Local);
  remote.Receive("PO12~10");  // a second move in a row
  EXPECT_EQ(game.Board().At(12, 10), csFree);
  game.PlayLocal(Node{5, 5});
  for (const char* bad : {"PO5~5", "PO0~4", "PO31~4", "PO-1~4", "PO99~99"}) remote.Receive(bad);
  EXPECT_EQ(game.ToMove(), Turn::Opponent);
  EXPECT_EQ(events.lines, (std::vector<std::string>{
                              "INFORM->> Вы ходите первый! Ходите...", "ERROR->> Получен недопустимый ход: 3 - 3",
                              "Ваш ход ->> 10 - 10", "Ход соперника->> 11 - 10",
                              "ERROR->> Получен недопустимый ход: 12 - 10", "Ваш ход ->> 5 - 5",
                              "ERROR->> Получен недопустимый ход: 5 - 5", "ERROR->> Получен недопустимый ход: 0 - 4",
                              "ERROR->> Получен недопустимый ход: 31 - 4", "ERROR->> Получен недопустимый ход: -1 - 4",
                              "ERROR->> Получен недопустимый ход: 99 - 99"}));
  EXPECT_EQ(events.Count("marker 11,10"), 1);
  EXPECT_EQ(events.Count("dot 10,10 own"), 1);
}

TEST_F(MatchRemotePlayerTest, NumberThatDoesNotConvertRaisesAndChangesNothing) {
  Host(false);
  EXPECT_THROW(remote.Receive("POa~1"), text::ConversionError);
  EXPECT_THROW(remote.Receive("PO12~7MS"), text::ConversionError);
  EXPECT_EQ(game.ToMove(), Turn::Opponent);
  EXPECT_EQ(engine::CountCells(game.Board()).FreeCount, 900);
}

TEST_F(MatchRemotePlayerTest, ClientTakesTheHostsSizeOnceAndRefusesItMidGame) {
  LocalPlayer idle;
  game.StartAgainstComputer(idle);  // a game of its own on the field
  Join("ME20~15");
  EXPECT_EQ(events.lines.back(), "ERROR->> Получен недопустимый размер поля: 20 - 15");
  game.End();
  Join("YO99~15");
  EXPECT_EQ(events.lines.back(), "ERROR->> Получен недопустимый размер поля: 99 - 15");
  EXPECT_FALSE(game.InProgress());
  Join("YO20~15");
  EXPECT_EQ(events.lines.back(), "INFORM->> Вы ходите первый! Ходите...");
  EXPECT_EQ(game.Board().FieldWidth(), 20);
  EXPECT_EQ(game.ToMove(), Turn::Local);
  game.PlayLocal(Node{7, 7});
  Join("ME15~15");
  EXPECT_EQ(events.lines.back(), "ERROR->> Получен недопустимый размер поля: 15 - 15");
  EXPECT_EQ(game.Board().FieldWidth(), 20);
  EXPECT_EQ(game.Board().At(7, 7), csOwn);
}

TEST_F(MatchRemotePlayerTest, MoveThatEndsTheGameIsNotSentButTheResultAndTheGoodbyeAre) {
  game.Board().SetFieldSize(15, 15);
  Host(true);
  test::FillAllButLast(game.Board(), engine::csRivalCaptured, csOwn);
  channel.sent.clear();
  game.PlayLocal(Node{14, 14});
  EXPECT_EQ(channel.sent, (std::vector<std::string>{"LU", net::DisconnectMessage()}));
  EXPECT_EQ(channel.stops, 1);
  EXPECT_EQ(records.RecordCount(), 1);
  EXPECT_FALSE(game.IsNetwork());
}

TEST_F(MatchRemotePlayerTest, PeersResultIsJudgedByOwnCountsWithNothingSentBack) {
  Host(false);
  remote.Receive("PO4~4");
  events.Clear();
  channel.sent.clear();
  remote.Receive("WI");
  EXPECT_EQ(events.results, (std::vector<GameResult>{{0, 0, Winner::Draw}}));
  EXPECT_TRUE(channel.sent.empty());
  EXPECT_EQ(channel.stops, 1);
  EXPECT_FALSE(game.InProgress() || game.IsNetwork());
  EXPECT_EQ(game.Board().At(4, 4), csFree);
}

TEST_F(MatchRemotePlayerTest, DisconnectAndBrokenConnectionEndTheGameWithTheirLines) {
  Host(true);
  remote.Receive("DS" + Cp1251("Разрыв связи..."));
  EXPECT_EQ(events.lines.back(), "INFORM->> Разрыв связи...");
  EXPECT_FALSE(game.InProgress());
  EXPECT_EQ(channel.stops, 1);
  EXPECT_EQ(channel.sent.size(), 1u);  // only the start message: no goodbye back
  channel.open = true;
  Host(true);
  remote.ConnectionFailed();
  EXPECT_EQ(events.lines.back(), "ERROR->> Произошла ошибка!! Клиент отключён...");
  EXPECT_FALSE(game.InProgress());
  EXPECT_EQ(events.Count("result"), 0);
}

TEST_F(MatchRemotePlayerTest, GivingUpClosesTheConnectionWithTheRolesGoodbye) {
  Host(true);
  channel.sent.clear();
  game.End();
  EXPECT_EQ(channel.sent, std::vector<std::string>{net::DisconnectMessage()});
  channel.open = true;
  channel.sent.clear();
  Join("YO15~15");
  game.End();
  EXPECT_TRUE(channel.sent.empty());  // the client's connection says goodbye itself as it goes down
  EXPECT_EQ(channel.stops, 2);
}

TEST_F(MatchRemotePlayerTest, ChatAndRefusalsAreLoggedAsTheOptionsSay) {
  Join("ME31~31");
  remote.Receive("MS" + Cp1251("привет"));
  remote.Receive("ER" + Cp1251("занято"));
  options.ShowRivalMessages = false;
  options.ShowErrorMessages = false;
  remote.Receive("MS" + Cp1251("тихо"));
  remote.Receive("ER" + Cp1251("тихо"));
  remote.Receive("QQ");
  EXPECT_EQ(events.lines, (std::vector<std::string>{"INFORM->> Ваш соперник ходит первый! Ждите...",
                                                    "MESSAGE->> привет", "ERROR->> занято",
                                                    "ERROR->> Получена неизвестная информация!!!"}));
  remote.SendChat("удачи");
  EXPECT_EQ(channel.sent, std::vector<std::string>{"MS" + Cp1251("удачи")});
  channel.host = true;
  remote.Receive("QQ");  // the host ignores what it does not know
  remote.Receive("ME15~15");
  EXPECT_EQ(events.lines.size(), 4u);
  game.End();
  remote.SendChat("после игры");
  EXPECT_EQ(channel.sent.size(), 2u);  // the goodbye only
}

// Line breaks or other control characters in what the peer writes could make
// a log line that looks like the program's own; each text stays one line,
// and a flood is cut to a readable length.
TEST_F(MatchRemotePlayerTest, PeerTextsStayOneLineOfTheirOwn) {
  Join("YO31~31");
  events.lines.clear();
  remote.Receive("MS" + Cp1251("ну\r\nINFORM->> Вы выиграли!\nХод соперника->> 1 - 1\r\x01\x7f!"));
  remote.Receive("ER" + Cp1251("занято\nINFORM->> Вы ходите первый! Ходите..."));
  remote.Receive("MS" + std::string(5000, 'a'));
  ASSERT_EQ(events.lines.size(), 3u);
  EXPECT_EQ(events.lines[0], "MESSAGE->> ну¶INFORM->> Вы выиграли!¶Ход соперника->> 1 - 1¶··!");
  EXPECT_EQ(events.lines[1], "ERROR->> занято¶INFORM->> Вы ходите первый! Ходите...");
  EXPECT_EQ(events.lines[2], "MESSAGE->> " + std::string(LongestPeerText, 'a') + "…");
  remote.Receive("DS" + Cp1251("пока\nINFORM->> ещё"));
  EXPECT_EQ(events.lines.back(), "INFORM->> пока¶INFORM->> ещё");
}

}  // namespace
}  // namespace solvar::match
