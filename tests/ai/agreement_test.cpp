// The fast capture scan and threat evaluation give exactly what the literal
// readings give, on random positions and on every position of whole games.
#include <gtest/gtest.h>

#include <limits>

#include "ai/threat.h"
#include "match/match.h"
#include "support/board_builder.h"
#include "support/literal_rules.h"

namespace solvar::ai {
namespace {

using engine::Board;
using engine::Side;

Board RandomPosition(engine::Random& random) {
  const int w = engine::MinFieldWidth + random.NextBelow(31);
  const int h = engine::MinFieldHeight + random.NextBelow(21);
  Board board = test::FramedBoard(w, h);
  const int density = 20 + random.NextBelow(60);
  for (int x = 1; x < w; ++x)
    for (int y = 1; y < h; ++y) {
      const int roll = random.NextBelow(100);
      if (roll >= density) continue;
      const int kind = random.NextBelow(20);
      board.Set(x, y, kind < 9 ? engine::csOwn : kind < 18 ? engine::csRival
                                                            : static_cast<engine::CellState>(4 + random.NextBelow(4)));
    }
  return board;
}

void ExpectSameThreat(const Board& board, Side encloser) {
  bool qualified = false;
  const ThreatResult literal = test::LiteralEvaluateThreat(board, encloser, &qualified);
  const ThreatResult fast = EvaluateThreat(board, encloser);
  ASSERT_EQ(fast.Level, literal.Level);
  if (qualified || literal.Level == NoLevel) {
    ASSERT_EQ(fast, literal);
  } else if (fast.X != -1) {
    ASSERT_EQ(board.At(fast.X, fast.Y), engine::csFree);
  }
}

void ExpectSameCaptures(const Board& position, Side side) {
  Board literalBoard = position;
  Board fastBoard = position;
  const auto literal = test::LiteralScanCaptures(literalBoard, side);
  test::RecordingObserver observer;
  ScanCaptures(fastBoard, side, observer);
  ASSERT_EQ(observer.outlines.size(), literal.size());
  for (std::size_t i = 0; i < literal.size(); ++i) {
    ASSERT_EQ(observer.outlines[i].DotsInside, literal[i].DotsInside);
    ASSERT_EQ(observer.outlines[i].Vertices, literal[i].Vertices);
  }
  for (int x = 0; x < engine::BoardColumns; ++x)
    for (int y = 0; y < engine::BoardRows; ++y) ASSERT_EQ(fastBoard.At(x, y), literalBoard.At(x, y));
}

TEST(Agreement, RandomPositionsOfEverySize) {
  engine::Random random(2026);
  for (int i = 0; i < 300; ++i) {
    const Board board = RandomPosition(random);
    for (const Side side : {Side::Own, Side::Rival}) {
      SCOPED_TRACE(i);
      ExpectSameCaptures(board, side);
      ExpectSameThreat(board, side);
    }
  }
}

TEST(Agreement, EveryPositionOfWholeGames) {
  for (const auto& [w, h, seed] : {std::tuple{45, 35, 11}, std::tuple{31, 31, 12}, std::tuple{15, 15, 13}}) {
    engine::Random random(static_cast<std::uint64_t>(seed));
    match::MatchObserver quiet;
    records::RecordsTable records;
    match::Match game(quiet, random, records);
    game.Board() = test::FramedBoard(w, h);
    Side mover = Side::Rival;
    int moves = 0;
    do {
      for (const Side side : {Side::Own, Side::Rival}) {
        SCOPED_TRACE(moves);
        ExpectSameThreat(game.Board(), side);
        ExpectSameCaptures(game.Board(), side);
      }
      ++moves;
    } while (game.SelfPlay(mover, 1) == 1);
  }
}

}  // namespace
}  // namespace solvar::ai
