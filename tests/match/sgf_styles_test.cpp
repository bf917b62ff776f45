// Saved games in the styles the dots sites and programs write: their rule
// spellings, enclosures after the moves, the end of a game as a move,
// several moves in a node, names without a charset; and what is kept when
// an opened game is saved again.
#include <gtest/gtest.h>

#include <limits>

#include "match/game_replay.h"
#include "match/match.h"
#include "match/sgf_file.h"
#include "text/cp1251.h"

namespace solvar::match {
namespace {

using engine::Node;
using engine::Side;

engine::Board FinalBoard(const GameRecord& record) { return GameReplay(record).Board(); }

TEST(SgfStyles, EachSitesSpellingOfTheRulesIsRead) {
  bool choice = true;
  EXPECT_EQ(RulesOfSgf("russian", &choice), engine::Rules::Sport);
  EXPECT_FALSE(choice);
  EXPECT_EQ(RulesOfSgf("Punish=0,Holes=1,AddTurn=0,MustSurr=0,MinArea=0,Pass=0,Stop=0", &choice), engine::Rules::Sport);
  EXPECT_TRUE(choice);
  EXPECT_EQ(RulesOfSgf("Punish=0,Holes=1,AddTurn=0,MustSurr=1,MinArea=1", &choice), engine::Rules::Sport);
  EXPECT_FALSE(choice);
  EXPECT_EQ(RulesOfSgf("dotsCaptureEmptyBase0startPosIsRandom1sui1"), engine::Rules::Sport);
  EXPECT_EQ(RulesOfSgf("dotsCaptureEmptyBase1sui0"), engine::Rules::Classic);
  EXPECT_EQ(RulesOfSgf("Особый"), std::nullopt);
  EXPECT_EQ(RulesOfSgf(""), std::nullopt);
}

TEST(SgfStyles, NoRulesNamedMeansClassicUnlessAMoveLandsInATakenRegion) {
  // By the classic rules the empty ring at (8, 8) is side 2's area at once,
  // so side 1's dot there cannot be played: the file is read by the sport
  // rules instead, where the ring stays free and the dot is taken.
  const OpenedGame opened = OpenSgf("(;GM[40]FF[4]SZ[14];W[hg];B[aa];W[gh];B[bb];W[ih];B[cc];W[hi];B[hh])");
  EXPECT_TRUE(opened.IsWhole());
  EXPECT_EQ(opened.Record.Rules, engine::Rules::Sport);
  EXPECT_EQ(FinalBoard(opened.Record).At(8, 8), engine::csOwnCaptured);
  // A file the classic rules play to its end stays classic.
  EXPECT_EQ(OpenSgf("(;GM[40]FF[4]SZ[14];W[hg];B[aa];W[gh];B[bb];W[ih];B[cc];W[hi])").Record.Rules,
            engine::Rules::Classic);
}

// Files that name no rules and record their enclosures, as some programs
// write games of the sport rules: where the classic rules would have taken
// an empty ring already, or would take nothing where the file records a
// ring, the game is read by the sport rules, and the reader says so.
TEST(SgfStyles, RecordedEnclosuresTheClassicRulesCannotMakeMeanTheSportRules) {
  // Side 2's empty ring round (8, 8), then side 1's dot into it, which side
  // 2's ring takes (recorded after the move, as the sites write it).
  const OpenedGame into = OpenSgf("(;GM[40]FF[4]SZ[14];W[hg];B[aa];W[gh];B[bb];W[ih];B[cc];W[hi];B[hh.hgghhiihhg])");
  EXPECT_TRUE(into.IsWhole());
  EXPECT_EQ(into.Record.Rules, engine::Rules::Sport);
  EXPECT_EQ(into.AssumedRussian,
            "В файле не указаны правила, а ходы партии возможны только по спортивным правилам: она открыта по ним.");
  // A ring recorded where nothing was taken by the classic rules: side 1's
  // ring round an empty node, closed by the recorded move.
  const OpenedGame empty = OpenSgf("(;GM[40]FF[4]SZ[14];B[hg];W[aa];B[gh];W[bb];B[ih];W[cc];B[hi.hgghhiihhg])");
  EXPECT_EQ(empty.Record.Rules, engine::Rules::Classic) << "the classic rules take the empty ring: they made it";
  const OpenedGame late =
      OpenSgf("(;GM[40]FF[4]SZ[14];B[hg];W[aa];B[gh];W[bb];B[ih];W[cc];B[hi];W[dd];B[ee.hgghhiihhg])");
  EXPECT_EQ(late.Record.Rules, engine::Rules::Sport);
  EXPECT_FALSE(late.AssumedRussian.empty());
  // A game that names its rules is read by them, and nothing is assumed.
  const OpenedGame named = OpenSgf("(;GM[40]FF[4]SZ[14]RU[russian];B[hg];W[aa])");
  EXPECT_TRUE(named.AssumedRussian.empty());
}

// A file that names no rules and records its enclosures, where neither
// rule set plays it: side 2 rings two empty nodes and side 1 plays both of
// them later, which only a game whose players choose whether to close a
// ring allows. The recorded rings are then the captures.
TEST(SgfStyles, RecordedRingsAreTheCapturesWhereNeitherRuleSetPlaysTheFile) {
  const std::string game =
      "(;GM[40]FF[4]SZ[14];B[dd];W[dc];B[aa];W[cd];B[ab];W[ed];B[ac];W[de.dccddeeddc]"
      ";B[ad];W[hg];B[ae];W[ig];B[af];W[gh];B[ag];W[jh];B[ah];W[hi];B[ai];W[ii];B[hh];W[aj];B[ih];W[kk])";
  const OpenedGame opened = OpenSgf(game);
  ASSERT_TRUE(opened.IsWhole()) << opened.NoteEnglish;
  EXPECT_TRUE(opened.Record.CapturesFollowPaths);
  EXPECT_EQ(opened.AssumedRussian,
            "В файле не указаны правила, а ходы партии возможны, только если окружения делаются там, где они "
            "записаны: она открыта так.");
  const engine::Board board = FinalBoard(opened.Record);
  EXPECT_EQ(board.At(4, 4), engine::csOwnCaptured);
  EXPECT_EQ(board.At(8, 8), engine::csOwn);
  EXPECT_EQ(board.At(9, 8), engine::csOwn);
  // Without its recorded rings the same moves stop where the sport rules do.
  std::string bare = game;
  bare.erase(bare.find(".dccddeeddc"), std::string(".dccddeeddc").size());
  const OpenedGame cut = OpenSgf(bare);
  EXPECT_FALSE(cut.IsWhole());
  EXPECT_EQ(cut.Record.Moves.size(), 22u);
}

// A game of dots whose file lost its GM still opens, with a note.
TEST(SgfStyles, AFileWithoutGMOpensWhenItsSizeAndMovesAreThoseOfDots) {
  const OpenedGame opened = OpenSgf("(;FF[4]SZ[20]PB[Аня];B[jj];W[kk];B[ll];W[])");
  EXPECT_TRUE(opened.IsWhole());
  EXPECT_EQ(opened.Record.Moves.size(), 3U);
  EXPECT_EQ(opened.Record.Player1, "Аня");
  EXPECT_EQ(opened.AssumedRussian,
            "В файле не указано, что это за игра (нет свойства GM); по размеру поля и ходам это партия в точки.");
}

// The analysis of each move is saved in its node and read back; a file
// whose analysis is damaged or missing for some move opens without it.
TEST(SgfStyles, TheAnalysisIsKeptInTheSavedGame) {
  GameRecord record = ReadSgf("(;GM[40]FF[4]SZ[14];B[dd];W[ee];B[ff])");
  record.Analysis = {{0.5, Node{4, 4}, 0.5}, {-3.25, Node{1, 14}, 2.0}, {12.0, Node{6, 6}, 12.04}};
  const std::string saved = WriteSgf(record, "2026-12-10");
  EXPECT_NE(saved.find(";W[ee]XA[-3.2 an 2.0]"), std::string::npos) << saved;
  const GameRecord again = ReadSgf(saved);
  ASSERT_EQ(again.Analysis.size(), 3U);
  EXPECT_EQ(again.Analysis[1].Best, (Node{1, 14}));
  EXPECT_DOUBLE_EQ(again.Analysis[1].Lead, -3.2);
  EXPECT_DOUBLE_EQ(again.Analysis[2].BestLead, 12.0);
  for (const char* damaged : {"XA[1.0 dd]", "XA[x dd 1.0]", "XA[1.0 d 1.0]", "XA[1.0 dd 1.0 more]", "XA[nan dd 1]"}) {
    SCOPED_TRACE(damaged);
    EXPECT_TRUE(ReadSgf(std::string("(;GM[40]FF[4]SZ[14];B[dd]") + damaged + ";W[ee]XA[0.0 ee 0.0])").Analysis.empty());
  }
  EXPECT_TRUE(ReadSgf("(;GM[40]FF[4]SZ[14];B[dd]XA[1.0 dd 1.0];W[ee])").Analysis.empty());
}

TEST(SgfStyles, EnclosuresAfterMovesAreFollowedWhereEnclosingIsAChoice) {
  // Side 2 rings side 1's (4, 4) with its fourth dot; the file records the
  // ring. With enclosing a choice only recorded rings take; a ring left
  // unrecorded takes nothing.
  const std::string head = "(;GM[40]FF[4]SZ[14]RU[Punish=0,Holes=1,MustSurr=0]";
  const std::string moves = ";B[dd];W[dc];B[jj];W[cd];B[ab];W[ed];B[ba]";
  const OpenedGame taken = OpenSgf(head + moves + ";W[de.dccddeeddc])");
  ASSERT_TRUE(taken.IsWhole());
  EXPECT_TRUE(taken.Record.CapturesFollowPaths);
  EXPECT_EQ(FinalBoard(taken.Record).At(4, 4), engine::csOwnCaptured);
  ASSERT_EQ(taken.Record.Moves.back().Paths.size(), 1u);
  EXPECT_EQ(taken.Record.Moves.back().Paths[0], (Ring{{4, 3}, {3, 4}, {4, 5}, {5, 4}}));
  // The same ring closed with no recorded enclosure, while a later one is
  // recorded: only the later one takes.
  const OpenedGame chosenNot =
      OpenSgf(head + moves + ";W[de];B[kk];W[ij];B[ll];W[ji];B[mm];W[kj];B[nn];W[jk.jiijjkkjji])");
  ASSERT_TRUE(chosenNot.IsWhole());
  EXPECT_EQ(FinalBoard(chosenNot.Record).At(4, 4), engine::csOwn);
  EXPECT_EQ(FinalBoard(chosenNot.Record).At(10, 10), engine::csOwnCaptured);
  // The same moves where enclosing is not a choice: the rules take it.
  EXPECT_EQ(FinalBoard(OpenSgf("(;GM[40]FF[4]SZ[14]RU[russian]" + moves + ";W[de])").Record).At(4, 4),
            engine::csOwnCaptured);
}

TEST(SgfStyles, EmptyMoveOrResignationEndsTheGameAndWhatFollowsIsNotPlayed) {
  const OpenedGame grounded = OpenSgf("(;GM[40]FF[4]SZ[12]RE[W+0.5];B[ff];W[gf];B[]C[result=W+0.5];W[hh])");
  ASSERT_TRUE(grounded.IsWhole());
  EXPECT_EQ(grounded.Record.Moves.size(), 2u);
  ASSERT_TRUE(grounded.Record.End);
  EXPECT_EQ(grounded.Record.End->By, Side::Own);
  EXPECT_FALSE(grounded.Record.End->Resigned);
  const OpenedGame resigned = OpenSgf("(;GM[40]FF[4]SZ[39:32]RE[W+R];B[ff];W[gf];B[resign])");
  ASSERT_TRUE(resigned.Record.End);
  EXPECT_TRUE(resigned.Record.End->Resigned);
  EXPECT_EQ(ResultDescription(resigned.Record), "Выиграл второй игрок: соперник сдался");
  // Saved again, the end is written as it was read.
  EXPECT_NE(WriteSgf(resigned.Record, "2026-12-09").find(";B[resign])"), std::string::npos);
}

TEST(SgfStyles, SeveralMovesInOneNodeArePlayedInOrder) {
  const GameRecord record = ReadSgf("(;GM[40]FF[4]SZ[14];B[dd];W[dc][cd][ed][de])");
  ASSERT_EQ(record.Moves.size(), 5u);
  EXPECT_EQ(record.Moves[4], (PlayedMove{Side::Rival, {4, 5}}));
  EXPECT_EQ(FinalBoard(record).At(4, 4), engine::csOwnCaptured);
}

// A move in the root node, beside the game's properties, is played once and
// saved once: a second copy among the kept properties made the saved file
// refuse to open ("set-up dots after the first move").
TEST(SgfStyles, MoveInTheRootNodeIsPlayedAndSavedOnce) {
  const GameRecord record = ReadSgf("(;GM[40]FF[4]SZ[14]C[root]AB[bb]B[ij]W[kl];B[cc])");
  const std::vector<PlayedMove> moves{{Side::Own, {9, 10}}, {Side::Rival, {11, 12}}, {Side::Own, {3, 3}}};
  EXPECT_EQ(record.Moves, moves);
  const std::string saved = WriteSgf(record, "2026-12-09");
  EXPECT_EQ(saved.find("B[ij]"), saved.rfind("B[ij]")) << saved;
  const GameRecord again = ReadSgf(saved);
  EXPECT_EQ(again.Moves, moves);
  EXPECT_EQ(again.Setup, record.Setup);
}

TEST(SgfStyles, NamesWithoutACharsetAreUtf8WhenValidElseWindows1251) {
  const std::string cp1251 = "(;GM[40]FF[4]SZ[14]PB[" + text::Utf8ToCp1251("Вася") + "]PW[Петя];B[aa])";
  const GameRecord record = ReadSgf(cp1251);
  EXPECT_EQ(record.Player1, "Вася");
  EXPECT_EQ(record.Player2, "Петя");
}

TEST(SgfStyles, GameThatCannotBePlayedToItsEndOpensToItsLastPlayableMove) {
  const OpenedGame opened = OpenSgf("(;GM[40]FF[4]SZ[14]RU[russian];B[aa];W[bb];B[aa];W[cc])");
  EXPECT_FALSE(opened.IsWhole());
  EXPECT_EQ(opened.Record.Moves.size(), 2u);
  EXPECT_EQ(opened.NoteRussian,
            "Ход 3 (1 - 1): в этой партии точка поставлена на занятый узел. Партия показана до хода 2 из 4.");
  // A dot into a taken region, by the rules the file names.
  const OpenedGame intoArea =
      OpenSgf("(;GM[40]FF[4]SZ[14]RU[dotsCaptureEmptyBase1];W[hg];B[aa];W[gh];B[bb];W[ih];B[cc];W[hi];B[hh])");
  EXPECT_EQ(intoArea.NoteRussian,
            "Ход 8 (8 - 8): в этой партии точка поставлена в окружённую область; по правилам программы туда ходить "
            "нельзя. Партия показана до хода 7 из 8.");
}

TEST(SgfStyles, ResavedGameKeepsItsNamesDateRulesResultRatingsEventAndComments) {
  const std::string original =
      "(;AP[Other]GM[40]FF[4]CA[UTF-8]SZ[39:32]RU[Punish=0,Holes=1,MustSurr=1]PB[Аня]PW[Борис]BR[1480]WR[1502]"
      "DT[2015-09-19 18:11:55]EV[турнир]C[без территории]RE[B+1]SO[https://example.org/1];B[aa]C[первый];W[bb])";
  const GameRecord opened = ReadSgf(original);
  const GameRecord again = ReadSgf(WriteSgf(opened, "2026-12-09"));
  EXPECT_EQ(again.Player1, "Аня");
  EXPECT_EQ(again.Player2, "Борис");
  EXPECT_EQ(again.Date, "2015-09-19 18:11:55");
  EXPECT_EQ(again.RulesText, "Punish=0,Holes=1,MustSurr=1");
  EXPECT_EQ(again.Result, "B+1");
  EXPECT_EQ(again.Kept, opened.Kept);
  const auto kept = [&](const char* id) {
    for (const KeptProperty& property : again.Kept)
      if (property.Id == id) return property.Values.front();
    return std::string();
  };
  EXPECT_EQ(kept("BR"), "1480");
  EXPECT_EQ(kept("EV"), "турнир");
  EXPECT_EQ(kept("C"), "без территории");
  EXPECT_EQ(again.MoveComments, (std::vector<std::string>{"первый"}));
}

// A game of this program, with its captures, read by a reader that follows
// the recorded enclosures only, ends in the same position: the rings it
// writes are the regions it took.
TEST(SgfStyles, OwnGamesReadByRecordedEnclosuresGiveTheSamePosition) {
  for (const engine::Rules rules : {engine::Rules::Classic, engine::Rules::Sport}) {
    for (const int size : {15, 25, 40}) {
      MatchObserver quiet;
      engine::Random random(static_cast<std::uint64_t>(size) * 7 + (rules == engine::Rules::Sport ? 1 : 0));
      records::RecordsTable records;
      Match game(quiet, random, records);
      game.Board().SetFieldSize(size, size);
      game.ResetPosition();
      game.SetRules(rules);
      Side mover = Side::Own;
      game.SelfPlay(mover, std::numeric_limits<int>::max());
      GameRecord record = ReadSgf(WriteSgf(game.Record(), "2026-12-09"));
      EXPECT_EQ(record.Rules, rules);
      record.CapturesFollowPaths = true;
      const engine::Board followed = FinalBoard(record);
      for (int x = 0; x <= size; ++x)
        for (int y = 0; y <= size; ++y) ASSERT_EQ(followed.At(x, y), game.Board().At(x, y)) << x << "," << y;
    }
  }
}

}  // namespace
}  // namespace solvar::match
