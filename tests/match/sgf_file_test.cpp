// Saved games: written and read back on every size, in another program's
// style, and refused where a file would corrupt a game.
#include <gtest/gtest.h>

#include <limits>

#include "match/computer_player.h"
#include "match/game_replay.h"
#include "match/match.h"
#include "match/sgf_file.h"
#include "match_events.h"
#include "support/board_builder.h"

namespace solvar::match {
namespace {

using engine::Node;
using engine::Side;

void ExpectSameBoard(const engine::Board& a, const engine::Board& b) {
  ASSERT_EQ(a.FieldWidth(), b.FieldWidth());
  ASSERT_EQ(a.FieldHeight(), b.FieldHeight());
  for (int x = 0; x <= a.FieldWidth(); ++x)
    for (int y = 0; y <= a.FieldHeight(); ++y) ASSERT_EQ(a.At(x, y), b.At(x, y)) << x << "," << y;
}

// A whole computer-against-computer game with a few set-up dots.
struct PlayedGame {
  explicit PlayedGame(int width, int height) {
    game.Board().SetFieldSize(width, height);
    game.ResetPosition();
    game.SetUpCell(Node{2, 2}, engine::csOwn);
    game.SetUpCell(Node{width - 2, height - 2}, engine::csRival);
    Side mover = Side::Own;
    game.SelfPlay(mover, std::numeric_limits<int>::max());
  }
  MatchObserver quiet;
  engine::Random random{9};
  records::RecordsTable records;
  Match game{quiet, random, records};
};

TEST(MatchSgf, EveryFieldSizeGoesThereAndBack) {
  for (const auto& [w, h] : {std::pair{15, 15}, std::pair{31, 31}, std::pair{45, 35}, std::pair{20, 15}, std::pair{45, 15}}) {
    SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
    PlayedGame played(w, h);
    GameRecord record = played.game.Record();
    record.Result = "B+2";
    const std::string text = WriteSgf(record, "2026-12-09");
    const GameRecord back = ReadSgf(text);
    EXPECT_EQ(back.FieldWidth, w);
    EXPECT_EQ(back.FieldHeight, h);
    EXPECT_EQ(back.Setup, record.Setup);
    EXPECT_EQ(back.Moves, record.Moves);
    EXPECT_EQ(back.Result, "B+2");
    const GameReplay replay(back);
    ExpectSameBoard(replay.Board(), played.game.Board());
    EXPECT_EQ(engine::CountCells(replay.Board()).OwnScore, played.game.Counts().OwnScore);
  }
}

TEST(MatchSgf, WritesTheRootTheSizeAndLettersPastZ) {
  GameRecord record;
  record.FieldWidth = 45;
  record.FieldHeight = 35;
  record.Player1 = "Вася ]\\";
  record.Player2 = "Компьютер (сильный)";
  record.Moves = {{Side::Own, {27, 1}}, {Side::Rival, {44, 34}}, {Side::Own, {1, 26}}};
  const std::string text = WriteSgf(record, "2026-12-09");
  EXPECT_EQ(text.rfind("(;FF[4]GM[40]CA[UTF-8]AP[Сольвар:", 0), 0u);
  EXPECT_NE(text.find("SZ[44:34]"), std::string::npos);
  EXPECT_NE(text.find("PB[Вася \\]\\\\]PW[Компьютер (сильный)]DT[2026-12-09]"), std::string::npos);
  EXPECT_EQ(text.find("RE["), std::string::npos);  // the game goes on
  EXPECT_NE(text.find("\n;B[Aa];W[RH];B[az])"), std::string::npos);  // 26 is A, 43 is R, 25 is z
  const GameRecord back = ReadSgf(text);
  EXPECT_EQ(back.Player1, "Вася ]\\");
  EXPECT_EQ(back.Moves, record.Moves);
  record.FieldWidth = record.FieldHeight = 31;
  record.Moves.clear();
  EXPECT_NE(WriteSgf(record, "2026-12-09").find("SZ[30]"), std::string::npos);
}

TEST(MatchSgf, ReadsAHandWrittenFileInAnotherProgramsStyle) {
  const std::string text =
      "Some text before the game.\n"
      "(;GaMe[40] FF[4] CA[utf-8] SZ[39:32]\n"
      "  PW[Bob] PB[Alice] RE[W+3] AP[Other:1.0] C[a comment \\] with a bracket]\n"
      "  AB[bb][kk:ll] AW[ff]\n"
      " ;B[ab]\n ;W[cd.cdce] ; B[ef]XX[unknown]\n"
      " (;W[gh];B[ij]) (;W[kl]) )\n"
      "(;GM[40]SZ[14];B[aa])";
  const GameRecord record = ReadSgf(text);
  EXPECT_EQ(record.FieldWidth, 40);
  EXPECT_EQ(record.FieldHeight, 33);
  EXPECT_EQ(record.Player1, "Alice");
  EXPECT_EQ(record.Player2, "Bob");
  EXPECT_EQ(record.Result, "W+3");
  EXPECT_EQ(record.Setup.size(), 1u + 4u + 1u);
  EXPECT_EQ(record.Moves, (std::vector<PlayedMove>{{Side::Own, {1, 2}},
                                                   {Side::Rival, {3, 4}, {{{3, 4}, {3, 5}}}},
                                                   {Side::Own, {5, 6}},
                                                   {Side::Rival, {7, 8}},
                                                   {Side::Own, {9, 10}}}));
}

TEST(MatchSgf, RefusesWhatWouldCorruptAGameAndSaysWhat) {
  const std::pair<const char*, const char*> refused[] = {
      {"(;GM[1]SZ[19];B[aa])", "Это не партия в точки: GM[1] вместо GM[40]."},
      {"(;B[aa];W[bb])", "В файле не указано, что это за игра (нет свойства GM; партия в точки — GM[40])."},
      {"(;SZ[14];B[aa];W[q10])", "В файле не указано, что это за игра (нет свойства GM; партия в точки — GM[40])."},
      {"(;GM[40]SZ[50];B[aa])", "Размер поля SZ[50] вне пределов 2..44 × 2..34."},
      {"(;GM[40]SZ[1];B[aa])", "Размер поля SZ[1] вне пределов 2..44 × 2..34."},
      {"(;GM[40]SZ[44:35];B[aa])", "Размер поля SZ[44:35] вне пределов 2..44 × 2..34."},
      {"(;GM[40];B[aa])", "Размер поля SZ[] вне пределов 2..44 × 2..34."},
      {"(;GM[40]SZ[14];B[aa];W[zz])", "Ход 2 (26 - 26): точка вне поля. Партия показана до хода 1 из 2."},
      {"(;GM[40]SZ[14];B[aa];W[a])", "Ход 2: «a» — не точка поля."},
      {"(;GM[40]SZ[14];B[aa];W[aa])",
       "Ход 2 (1 - 1): в этой партии точка поставлена на занятый узел. Партия показана до хода 1 из 2."},
      {"(;GM[40]SZ[14]AB[cc];B[cc])",
       "Ход 1 (3 - 3): в этой партии точка поставлена на занятый узел. Партия показана до хода 0 из 1."},
      {"(;GM[40]SZ[14];B[aa];AW[bb])", "Расстановка точек после первого хода не поддерживается."},
      {"(;GM[40]SZ[14];B[aa];W[bb]", "Файл обрывается посреди партии."},
      {"(;GM[40]SZ[14];B[aa];W[b", "Файл обрывается посреди партии."},
      {"", "Это не файл SGF: в нём нет партии."},
      {"(;GM[40]SZ[14];B[aa]%)", "Файл SGF испорчен: неожиданный знак в позиции 20."},
  };
  for (const auto& [text, message] : refused) {
    SCOPED_TRACE(text);
    try {
      ReadSgf(text);
      ADD_FAILURE() << "accepted";
    } catch (const SgfError& error) {
      EXPECT_EQ(error.Russian(), message);
      EXPECT_FALSE(std::string(error.what()).empty());
    }
  }
}

TEST(MatchSgf, ResultsAndNamesOfAGameAtTheWindow) {
  test::MatchEvents events;
  engine::Random random(test::SeedWhereLocalStarts(true));
  records::RecordsTable records;
  Match game{events, random, records};
  StandardComputerPlayer computer;
  game.Board().SetFieldSize(15, 15);
  game.StartAgainstComputer(computer);
  game.PlayLocal(Node{7, 7});
  EXPECT_EQ(game.Record().Result, "");
  EXPECT_EQ(game.Record().Player2, "Компьютер (обычный)");
  game.Resign(Side::Own);
  EXPECT_EQ(game.Record().Result, "W+R");
  EXPECT_EQ(game.Record().Moves.size(), 2u);  // kept after the game, until the next
  game.StartAgainstComputer(computer);
  test::FillAllButLast(game.Board(), engine::csRivalCaptured, engine::csOwn);
  events.names = {std::string("Петя")};
  game.PlayLocal(Node{14, 14});
  EXPECT_EQ(game.Record().Result, "B+1");
  EXPECT_EQ(game.Record().Player1, "Петя");
}

}  // namespace
}  // namespace solvar::match
