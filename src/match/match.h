#pragma once
// Match: one game of dots, without a window. It owns the Board, the counts,
// whose turn it is, whether the game is played over the network, the local
// player's last dot and the list of moves, and runs the sequence of a game:
// the local player's move, the opponent's answer (the computer's or the
// remote player's), the end of the game with its result and record, and the
// tearing down of a game. What happens is reported to one MatchObserver.
//
// After every move the Board is counted; the game is over as soon as no free
// node is left (CloseMove is the one place that decides it).

#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "ai/threat.h"
#include "ai/time_plan.h"
#include "engine/board.h"
#include "engine/capture_scan.h"
#include "engine/random.h"
#include "match/game_clock.h"
#include "match/game_record.h"
#include "match/match_observer.h"
#include "match/openings.h"
#include "match/player.h"
#include "records/records_table.h"

namespace solvar::match {

enum class LocalMove { Played, NotFree, NotYourTurn };

// Chooses a computer's node for a side on the match's Board; none when no
// free playable node is left.
using ComputerChoice = std::function<std::optional<engine::Node>(engine::Side mover)>;

class Match : private engine::CaptureObserver {
 public:
  Match(MatchObserver& observer, engine::Random& random, records::RecordsTable& records);
  ~Match() override;
  Match(const Match&) = delete;
  Match& operator=(const Match&) = delete;

  // The Board; set-up tools, the position loader and the field size write to
  // it directly between moves.
  engine::Board& Board() { return m_board; }
  const engine::Board& Board() const { return m_board; }
  // The counts of the last move (zero at the start of a game).
  const engine::CellCounts& Counts() const { return m_counts; }
  bool InProgress() const { return m_inProgress; }
  bool IsNetwork() const { return m_network; }
  Turn ToMove() const { return m_turn; }
  // The local player's most recent dot; x = 0 until the first one. A new game
  // keeps it.
  engine::Node LastPlayerMove() const { return m_lastPlayerMove; }
  void SetLastPlayerMove(engine::Node node) { m_lastPlayerMove = node; }
  // The dots of this game (or of this position, for the single steps), in
  // the order played; they are kept after the game ends, until the next one.
  const std::vector<PlayedMove>& Moves() const { return m_moves; }
  // The game as a saved game holds it: its size, set-up dots, moves, players
  // and result.
  GameRecord Record() const;
  // Takes a saved game's final position and record as this game's, without
  // a game on the field (nothing is reported).
  void TakeRecord(const GameRecord& record, const engine::Board& finalPosition);
  engine::Random& RandomSource() { return m_random; }
  void Log(std::string_view utf8Line);
  // The peer's chat line has been logged.
  void ReportChat() { m_observer.OnChatReceived(); }

  // --- A game between the local player and an opponent.

  // "Начать новую": ends what is on the field, starts a game against the
  // computer by the rules and draws who moves first.
  void StartAgainstComputer(Player& computer, engine::Rules rules = engine::Rules::Classic);
  // The rules of the game on the field, or of the last one.
  engine::Rules Rules() const { return m_rules; }
  // The rules of the single steps until the next game starts (the engine
  // driver, self-play).
  void SetRules(engine::Rules rules) { m_rules = rules; }
  // A network game against the remote player; `first` moves first.
  void StartNetwork(Player& remote, engine::Side first);
  // Two people at this window: side 1 is the player named by SetPlayerName,
  // side 2 `second`; who moves first is drawn.
  void StartTwoPlayers(Player& second, engine::Rules rules = engine::Rules::Classic);
  bool IsTwoPlayers() const { return m_twoPlayers; }
  // The name of a side's player: side 1's as set (or «Игрок»), side 2's the
  // opponent's.
  std::string PlayerName(engine::Side side) const;
  // The name of side 1's player in the record (a game of two players).
  void SetPlayerName(std::string utf8Name) { m_playerName = std::move(utf8Name); }
  // The dot of the side to move, in a game of two players at this window.
  LocalMove PlayTurn(engine::Node node);
  // Whether a click on the node would be a move.
  bool IsFreeNode(engine::Node node) const;
  // The local player's dot, then the opponent's turn.
  LocalMove PlayLocal(engine::Node node);
  // The opponent's move chosen by a computer player. Ignored (false) unless
  // the game waits for the opponent, so a late answer changes nothing.
  bool PlayComputerAnswer(engine::Node node);
  // The remote player's move: false, and nothing changes, unless it is the
  // remote player's turn in a network game and the node is free and playable.
  bool PlayPeerMove(engine::Node node);
  // The peer's result notice: this side judges the game by its own counts.
  void FinishOnNotice();
  // Ends the game on the field, or resets the field when there is none: the
  // Board is cleared and the opponent told. Safe to call twice.
  void End();
  // The side gives the game up ("Сдаться", or the peer leaving): End, with
  // the game recorded as won by the other side.
  void Resign(engine::Side side);

  // --- The start.

  // The start of the next game at this window (a network game starts empty:
  // the wire protocol has no set-up). The crosses are dots of the game, kept
  // as its set-up: they count, can be captured, and a take-back stops at them.
  void SetOpening(Opening opening) { m_opening = opening; }
  Opening NextOpening() const { return m_opening; }
  // Puts the start's dots on the field as set-up dots, each reported as
  // placed (the engine driver, a new game).
  void PlaceOpening(Opening opening, std::uint64_t seed);

  // --- Clocks.

  // The time control of the next game at this window (a network game never
  // has one: its clocks only count each side's thinking time).
  void SetTimeControl(const TimeControl& control) { m_timeControl = control; }
  const TimeControl& NextTimeControl() const { return m_timeControl; }
  // The time the clocks read: the program's steady clock unless set.
  void SetTimeSource(const TimeSource& time) { m_time = &time; }
  // The clocks of the game on the field, or of the last one: timed, or
  // counting up over the network; none otherwise.
  const GameClock* Clock() const { return m_clock ? &*m_clock : nullptr; }
  bool IsTimed() const { return m_clock && !m_clock->CountsUp(); }
  // Ends the game on time when the running side's time is gone (the other
  // side wins, whatever the captures); true when it did.
  bool CheckClock();
  // How long a computer of the side may think on its move: `usualMs` when no
  // clock is against it, else what its clock allows (never all of it), and
  // how far it may go on in a sharp position.
  ai::MoveTime ComputerMoveTime(engine::Side side, int usualMs) const;

  // --- Taking moves back.

  // Whether a move can be taken back now: a game at this window (never over
  // the network) with a dot of the player's to take back, or in a game of
  // two players any dot.
  bool CanTakeBack() const;
  // Takes back the computer's answer and the player's last dot (in a game of
  // two players the last dot), a computer that is thinking stopped first:
  // the Board, counts, captures and record are exactly as before those dots,
  // the picture is painted again from the record as it was played, and the
  // log says so. A game with a move taken back enters no records.
  void TakeBack();
  bool TookMovesBack() const { return m_tookBack; }
  // Takes back the last `count` dots of any side exactly (the engine
  // driver's undo).
  void TakeBackDots(std::size_t count);

  // --- Single steps: the hidden tools, the engine driver, self-play.

  // The standard computer's node for the mover, without playing it.
  std::optional<engine::Node> ChooseStandardMove(engine::Side mover);
  // The standard computer's move: the dot, the marker, the captures of the
  // mover and then of the opponent, and the log line. None, and nothing
  // changes, when no free playable node is left.
  std::optional<engine::Node> ComputerMove(engine::Side mover);
  // The same with another computer's choice.
  std::optional<engine::Node> ComputerMove(engine::Side mover, const ComputerChoice& choose);
  ComputerChoice StandardChoice();
  // A dot of the side and its captures (the side's, then the opponent's).
  void PlayDot(engine::Side side, engine::Node node);
  // A side-2 dot with nothing else ("Ходить за PC").
  void PutRivalDot(engine::Node node);
  // A cell written before the game, as the set-up tools and the position
  // loader write them; a dot of either side is kept as a set-up dot.
  void SetUpCell(engine::Node node, engine::CellState code);
  // The field as it is becomes the set-up of a new record (after the
  // position loader): its dots are the set-up dots.
  void RecordSetupFromBoard();
  // One capture scan of the whole field for the side, by the game's rules;
  // returns the regions captured.
  int Scan(engine::Side side);
  // Counts the Board and reports the counts; true when no free node is left.
  bool Count();
  // "Обновить": counts, then a capture scan for side 1 and one for side 2.
  void Refresh();
  // The standard computer for both sides in turn, from `mover` on, until the
  // game is over, no move is left or maxMoves were played. Returns the moves
  // played; `mover` is then the side to move next.
  int SelfPlay(engine::Side& mover, int maxMoves);
  // The same with a computer of its own for each side.
  int SelfPlay(engine::Side& mover, int maxMoves, const ComputerChoice& own, const ComputerChoice& rival);
  // A computer opponent is thinking (for `moveTimeMs`), or has stopped.
  void ReportThinking(bool thinking, int moveTimeMs);
  // Frames the field of the current size.
  void Frame() { engine::FrameBoard(m_board); }
  // Every cell free, the field framed, the moves forgotten.
  void ResetPosition();

 private:
  class Step;
  friend class Step;

  void OnCapture(const engine::Outline& outline) override;
  Player& PlayerOf(engine::Side side) { return side == engine::Side::Own ? m_local : *m_opponent; }
  void Begin(Player& opponent, bool network, engine::Rules rules, bool twoPlayers = false);
  void Place(engine::Side side, engine::Node node);
  void PlayOrdinary(engine::Side side, engine::Node node);
  void StartRecord();
  void ApplyComputerMove(engine::Side mover, engine::Node node);
  void CloseMove(engine::Side mover);
  void GiveTurn(engine::Side side);
  void RebuildPosition(std::size_t moves);
  void PlayHuman(engine::Side side, engine::Node node);
  void FinishGame();
  void FinishOnTime(engine::Side loser);
  void ShowResult();
  void AskWinnerName(int score);
  void EnterWinner(const std::string& name, int score, int recordSerial);
  void ReportTurn();

  MatchObserver& m_observer;
  engine::Random& m_random;
  records::RecordsTable& m_records;
  ai::ThreatWorkspace m_workspace;
  LocalPlayer m_local;
  Player* m_opponent = &m_local;
  engine::Board m_board;
  engine::CellCounts m_counts;
  bool m_inProgress = false;
  bool m_network = false;
  bool m_twoPlayers = false;
  bool m_tookBack = false;
  engine::Rules m_rules = engine::Rules::Classic;
  Turn m_turn = Turn::Nobody;
  engine::Node m_lastPlayerMove{0, 0};
  engine::Node m_lastPlayerMoveAtStart{0, 0};  // what a take-back to the start gives back
  std::vector<PlayedMove> m_moves;
  std::vector<PlayedMove> m_setup;
  int m_recordWidth = engine::DefaultFieldWidth;
  int m_recordHeight = engine::DefaultFieldHeight;
  std::string m_playerName;  // the name the winner gave, UTF-8
  std::string m_result;      // as a saved game writes it
  int m_recordSerial = 0;    // which game the record is, for a name given late
  int m_depth = 0;  // how many public steps are running, one inside another
  TimeControl m_timeControl;
  Opening m_opening = Opening::Empty;
  const TimeSource* m_time;
  std::optional<GameClock> m_clock;
};

}  // namespace solvar::match
