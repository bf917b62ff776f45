#include "match/match.h"

#include <cstdlib>
#include <string>

#include "ai/computer_move.h"
#include "match/capture_remarks.h"
#include "match/match_step.h"
#include "text/cp1251.h"

namespace solvar::match {

namespace {

using engine::Node;
using engine::Side;

constexpr std::string_view DefaultWinnerName = "Студент";

const TimeSource& ProgramTime() {
  static const SteadyTimeSource time;
  return time;
}

std::string MoveLine(std::string_view prefix, Node node) {
  return std::string(prefix) + std::to_string(node.X) + " - " + std::to_string(node.Y);
}

}  // namespace

Match::Match(MatchObserver& observer, engine::Random& random, records::RecordsTable& records)
    : m_observer(observer), m_random(random), m_records(records), m_time(&ProgramTime()) {}

Match::~Match() = default;

void Match::Log(std::string_view utf8Line) { m_observer.OnLogLine(utf8Line); }

void Match::ReportTurn() { m_observer.OnTurnChanged(m_turn); }

void Match::StartAgainstComputer(Player& computer, engine::Rules rules) {
  const Step step(*this);
  Log("Новая игра началась!!!");
  End();
  Begin(computer, /*network=*/false, rules);
  m_random.Reseed();
  const Side first = m_random.NextReal() > 0.5 ? Side::Own : Side::Rival;
  m_observer.OnFirstMove(first);
  GiveTurn(first);
}

// The peer program knows only the classic rules.
void Match::StartNetwork(Player& remote, Side first) {
  const Step step(*this);
  Begin(remote, /*network=*/true, engine::Rules::Classic);
  GiveTurn(first);
}

void Match::Begin(Player& opponent, bool network, engine::Rules rules, bool twoPlayers) {
  const std::string playerName = m_playerName;
  m_opponent = &opponent;
  m_network = network;
  m_rules = rules;
  m_twoPlayers = twoPlayers;
  m_tookBack = false;
  m_lastPlayerMoveAtStart = m_lastPlayerMove;
  engine::FrameBoard(m_board);
  m_inProgress = true;
  m_counts = engine::CellCounts{};
  m_clock.reset();
  if (network || m_timeControl.IsTimed()) m_clock.emplace(*m_time, network ? NoTimeControl() : m_timeControl);
  StartRecord();
  if (twoPlayers) m_playerName = playerName;  // named before the game starts
  m_observer.OnGameStarted();
  // Only random crosses draw from the game's random numbers: every other
  // start leaves them as an empty field does.
  if (!network && m_opening != Opening::Empty) {
    PlaceOpening(m_opening, m_opening == Opening::RandomCrosses ? m_random.NextSeed() : 0);
  }
}

void Match::PlaceOpening(Opening opening, std::uint64_t seed) {
  for (const PlayedMove& dot : OpeningDots(opening, m_board.FieldWidth(), m_board.FieldHeight(), seed)) {
    if (!IsFreeNode(dot.Dot) || !m_board.IsPlayable(dot.Dot.X, dot.Dot.Y)) continue;
    engine::PlaceDot(m_board, dot.Dot, dot.Mover);
    m_setup.push_back(dot);
    m_observer.OnDotPlaced(dot.Dot, dot.Mover);
  }
  if (!m_setup.empty()) Count();
}

void Match::StartRecord() {
  ++m_recordSerial;
  m_moves.clear();
  m_setup.clear();
  m_recordWidth = m_board.FieldWidth();
  m_recordHeight = m_board.FieldHeight();
  m_playerName.clear();
  m_result.clear();
}

GameRecord Match::Record() const {
  GameRecord record;
  record.FieldWidth = m_recordWidth;
  record.FieldHeight = m_recordHeight;
  record.Setup = m_setup;
  record.Moves = m_moves;
  record.Player1 = m_playerName.empty() ? "Игрок" : m_playerName;
  record.Player2 = m_opponent->Name();
  record.Result = m_result;
  record.Rules = m_rules;
  if (m_clock && !m_clock->CountsUp()) {
    record.TimeMain = m_clock->Control().MainSeconds;
    record.Overtime = OvertimeText(m_clock->Control());
  }
  return record;
}

void Match::TakeRecord(const GameRecord& record, const engine::Board& finalPosition) {
  ++m_recordSerial;
  m_board = finalPosition;
  m_moves = record.Moves;
  m_setup = record.Setup;
  m_recordWidth = record.FieldWidth;
  m_recordHeight = record.FieldHeight;
  m_playerName = record.Player1;
  m_result = record.Result;
  m_rules = record.Rules;
  for (auto move = m_moves.rbegin(); move != m_moves.rend(); ++move) {
    if (move->Mover == Side::Own) {
      m_lastPlayerMove = move->Dot;
      break;
    }
  }
}

void Match::SetUpCell(Node node, engine::CellState code) {
  m_board.Set(node, code);
  std::erase_if(m_setup, [node](const PlayedMove& dot) { return dot.Dot == node; });
  if (code == engine::csOwn || code == engine::csRival) {
    m_setup.push_back(PlayedMove{code == engine::csOwn ? Side::Own : Side::Rival, node});
  }
}

void Match::RecordSetupFromBoard() {
  StartRecord();
  for (int x = 1; x < m_board.FieldWidth(); ++x) {
    for (int y = 1; y < m_board.FieldHeight(); ++y) {
      const engine::CellState code = m_board.At(x, y);
      if (code == engine::csOwn || code == engine::csRival) {
        m_setup.push_back(PlayedMove{code == engine::csOwn ? Side::Own : Side::Rival, Node{x, y}});
      }
    }
  }
}

void Match::Resign(Side side) {
  const Step step(*this);
  if (m_inProgress) m_result = side == Side::Own ? "W+R" : "B+R";
  End();
}

void Match::StartTwoPlayers(Player& second, engine::Rules rules) {
  const Step step(*this);
  Log("Новая игра началась!!!");
  End();
  Begin(second, /*network=*/false, rules, /*twoPlayers=*/true);
  m_random.Reseed();
  const Side first = m_random.NextReal() > 0.5 ? Side::Own : Side::Rival;
  m_observer.OnFirstMove(first);
  GiveTurn(first);
}

LocalMove Match::PlayTurn(Node node) {
  if (!m_twoPlayers || m_turn == Turn::Local) return PlayLocal(node);
  const Step step(*this);
  if (!IsFreeNode(node)) return LocalMove::NotFree;
  if (m_turn != Turn::Opponent) return LocalMove::NotYourTurn;
  PlayHuman(Side::Rival, node);
  return LocalMove::Played;
}

std::string Match::PlayerName(Side side) const {
  if (side == Side::Rival) return m_opponent->Name();
  return m_playerName.empty() ? "Игрок" : m_playerName;
}

// A dot of one of the two people at this window: named in the log, marked
// as the last move, and the turn goes over.
void Match::PlayHuman(Side side, Node node) {
  if (side == Side::Own) m_lastPlayerMove = node;
  Log(MoveLine(PlayerName(side) + " ->> ", node));
  PlayOrdinary(side, node);
  m_observer.OnMarkerMoved(node);
  CloseMove(side);
}

bool Match::IsFreeNode(Node node) const {
  return node.X != -1 && engine::Board::Holds(node.X, node.Y) && m_board.At(node) == engine::csFree;
}

LocalMove Match::PlayLocal(Node node) {
  const Step step(*this);
  if (!IsFreeNode(node)) return LocalMove::NotFree;
  if (m_turn != Turn::Local) return LocalMove::NotYourTurn;
  if (m_twoPlayers) {
    PlayHuman(Side::Own, node);
    return LocalMove::Played;
  }
  m_lastPlayerMove = node;
  Log(MoveLine("Ваш ход ->> ", node));
  PlayOrdinary(Side::Own, node);
  if (m_network) m_observer.OnDotPlaced(node, Side::Own);
  CloseMove(Side::Own);
  return LocalMove::Played;
}

bool Match::PlayComputerAnswer(Node node) {
  const Step step(*this);
  if (!m_inProgress || m_turn != Turn::Opponent || !IsFreeNode(node) || !m_board.IsPlayable(node.X, node.Y)) {
    return false;
  }
  ApplyComputerMove(Side::Rival, node);
  CloseMove(Side::Rival);
  return true;
}

bool Match::PlayPeerMove(Node node) {
  const Step step(*this);
  if (!m_network || m_turn != Turn::Opponent || !m_board.IsPlayable(node.X, node.Y) ||
      m_board.At(node) != engine::csFree) {
    return false;
  }
  Log(MoveLine("Ход соперника->> ", node));
  Place(Side::Rival, node);
  m_observer.OnDotPlaced(node, Side::Rival);
  Scan(Side::Rival);  // side 1's captures are found on side 1's own moves
  m_observer.OnMarkerMoved(node);
  CloseMove(Side::Rival);
  return true;
}

// After a move: the game ends when no free node is left, otherwise the other
// side is to move. In a network game the move leaving no free node is not
// passed on: the peer hears the result instead.
void Match::CloseMove(Side mover) {
  if (m_clock) {
    m_clock->Moved(mover);
    if (!m_clock->CountsUp()) {
      m_moves.back().ClockLeft = static_cast<double>(m_clock->Left(mover).count()) / 1000.0;
    }
  }
  const engine::CellCounts before = m_counts;
  const bool over = Count();
  m_observer.OnMovePlayed(mover, std::abs(m_counts.OwnScore - before.OwnScore) + std::abs(m_counts.RivalScore - before.RivalScore));
  if (over) {
    FinishGame();
    return;
  }
  PlayerOf(engine::Opponent(mover)).OnOpponentMoved(m_moves.back().Dot);
  GiveTurn(engine::Opponent(mover));
}

void Match::GiveTurn(Side side) {
  if (!m_inProgress) return;  // ended meanwhile, for example while a box was open
  m_turn = side == Side::Own ? Turn::Local : Turn::Opponent;
  PlayerOf(side).TakeTurn(*this);
}

void Match::FinishGame() {
  m_turn = Turn::Nobody;
  ShowResult();
  End();
}

bool Match::CheckClock() {
  if (!m_inProgress || !IsTimed()) return false;
  const auto loser = m_clock->OutOfTime();
  if (!loser) return false;
  const Step step(*this);
  FinishOnTime(*loser);
  return true;
}

// The side whose time ran out loses, whatever the captures; a win enters
// the records with the captures as they stand, as any win does.
void Match::FinishOnTime(Side loser) {
  m_clock->Stop();
  m_turn = Turn::Nobody;
  Log("Время вышло: " + PlayerName(loser));
  GameResult result = Judge(m_counts.OwnScore, m_counts.RivalScore);
  result.Outcome = loser == Side::Own ? Winner::Rival : Winner::Own;
  result.OnTime = true;
  m_result = loser == Side::Own ? "W+T" : "B+T";
  m_observer.OnResult(result);
  if (result.Outcome == Winner::Own && !m_twoPlayers && !m_tookBack) AskWinnerName(result.Own);
  End();
}

ai::MoveTime Match::ComputerMoveTime(Side side, int usualMs) const {
  if (!IsTimed() || !m_inProgress) return ai::MoveTime{usualMs, usualMs};
  const TimeControl& control = m_clock->Control();
  return ai::PlanMoveTime(static_cast<int>(m_clock->Left(side).count()), control.MoveSeconds * 1000,
                          control.Type == TimeControl::Kind::FreeSeconds, m_counts.FreeCount > 0 ? m_counts.FreeCount : m_board.PlayableCount());
}

void Match::FinishOnNotice() {
  const Step step(*this);
  m_network = false;
  m_turn = Turn::Nobody;
  ShowResult();
  End();
}

// The peer hears the result before the box shows it here; a win asks the
// winner's name and enters it into the records.
void Match::ShowResult() {
  const GameResult result = Judge(m_counts.OwnScore, m_counts.RivalScore);
  const int margin = result.Own > result.Rival ? result.Own - result.Rival : result.Rival - result.Own;
  m_result = result.Outcome == Winner::Draw ? "0" : (result.Outcome == Winner::Own ? "B+" : "W+") + std::to_string(margin);
  if (m_network) m_opponent->OnResult(result);
  m_observer.OnResult(result);
  // The records are the table of games won against the computer or over the
  // network, as they were played.
  if (result.Outcome == Winner::Own && !m_twoPlayers && !m_tookBack) AskWinnerName(result.Own);
}

// Asks again while the answer is empty; cancelling gives the default name.
// The answer may come after the game has ended, or after another has begun:
// the record is entered all the same, the name kept only with its own game.
void Match::AskWinnerName(int score) {
  const int serial = m_recordSerial;
  m_observer.AskWinnerName(DefaultWinnerName, [this, score, serial](std::optional<std::string> answer) {
    const std::string name = answer.value_or(std::string(DefaultWinnerName));
    if (name.empty()) return AskWinnerName(score);
    EnterWinner(name, score, serial);
  });
}

void Match::EnterWinner(const std::string& name, int score, int recordSerial) {
  if (recordSerial == m_recordSerial) m_playerName = name;
  m_records.InsertRecord(records::RecordEntry{text::Utf8ToCp1251(name), score});
  m_observer.OnRecordEntered();
}

void Match::End() {
  const Step step(*this);
  if (m_clock) m_clock->Stop();
  engine::ClearBoard(m_board);
  const bool wasOn = m_inProgress || m_network;
  m_inProgress = false;
  m_turn = Turn::Nobody;
  m_observer.OnGameEnded();
  if (wasOn) m_opponent->OnGameEnd();
  m_network = false;
}

std::optional<Node> Match::ChooseStandardMove(Side mover) {
  return ai::ChooseComputerNode(m_board, mover, ai::ChoiceContext{m_random, m_lastPlayerMove, m_workspace, &m_observer});
}

ComputerChoice Match::StandardChoice() {
  return [this](Side mover) { return ChooseStandardMove(mover); };
}

std::optional<Node> Match::ComputerMove(Side mover) { return ComputerMove(mover, StandardChoice()); }

std::optional<Node> Match::ComputerMove(Side mover, const ComputerChoice& choose) {
  const Step step(*this);
  const auto node = choose(mover);
  if (node) ApplyComputerMove(mover, *node);
  return node;
}

void Match::ReportThinking(bool thinking, int moveTimeMs) { m_observer.OnComputerThinking(thinking, moveTimeMs); }

void Match::ApplyComputerMove(Side mover, Node node) {
  m_observer.OnDotPlaced(node, mover);
  m_observer.OnMarkerMoved(node);
  PlayOrdinary(mover, node);
  Log(MoveLine("Ход машины->> ", node));
}

void Match::PlayDot(Side side, Node node) {
  const Step step(*this);
  if (side == Side::Own) m_lastPlayerMove = node;
  PlayOrdinary(side, node);
}

void Match::PutRivalDot(Node node) {
  const Step step(*this);
  Place(Side::Rival, node);
}

void Match::Place(Side side, Node node) {
  engine::PlaceDot(m_board, node, side);
  m_moves.push_back(PlayedMove{side, node});
}

void Match::PlayOrdinary(Side side, Node node) {
  m_moves.push_back(PlayedMove{side, node});
  PlayOrdinaryMove(m_board, side, node, *this, m_rules);
}

int Match::Scan(Side side) {
  const Step step(*this);
  return engine::ScanCaptures(m_board, side, this, m_rules);
}

// Each capture is painted and kept with the move that made it (a saved game
// writes its ring); one that takes dots draws a remark of the computer's,
// so never in a network game or a game of two people, where no computer
// plays.
void Match::OnCapture(const engine::Outline& outline) {
  if (!m_moves.empty()) m_moves.back().Paths.push_back(outline.Vertices);
  m_observer.OnCapture(outline);
  if (outline.DotsInside == 0 || m_network || m_twoPlayers) return;
  Log(std::string(RemarkPrefix) + std::string(PickCaptureRemark(outline.Capturer, m_random)));
}

bool Match::Count() {
  m_counts = engine::CountCells(m_board);
  m_observer.OnScoresChanged(m_counts);
  return engine::IsGameOver(m_counts);
}

void Match::Refresh() {
  const Step step(*this);
  Count();
  Scan(Side::Own);
  Scan(Side::Rival);
}

int Match::SelfPlay(Side& mover, int maxMoves) {
  const ComputerChoice standard = StandardChoice();
  return SelfPlay(mover, maxMoves, standard, standard);
}

int Match::SelfPlay(Side& mover, int maxMoves, const ComputerChoice& own, const ComputerChoice& rival) {
  const Step step(*this);
  int played = 0;
  while (played < maxMoves && !Count() && ComputerMove(mover, mover == Side::Own ? own : rival)) {
    mover = engine::Opponent(mover);
    ++played;
  }
  return played;
}

void Match::ResetPosition() {
  for (int x = 0; x < engine::BoardColumns; ++x) {
    for (int y = 0; y < engine::BoardRows; ++y) m_board.Set(x, y, engine::csFree);
  }
  engine::FrameBoard(m_board);
  StartRecord();
}

}  // namespace solvar::match
