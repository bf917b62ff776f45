#include "match/points_engine_player.h"

#include "match/match.h"
#include "match/points_protocol.h"

namespace solvar::match {

namespace {

bool SameDot(const PlayedMove& a, const PlayedMove& b) { return a.Mover == b.Mover && a.Dot == b.Dot; }

std::string Quoted(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  if (text.size() > 200) text = text.substr(0, 200) + "…";
  return "«" + text + "»";
}

}  // namespace

PointsEnginePlayer::PointsEnginePlayer(EngineLink& link, int moveTimeMs, int graceMs)
    : m_link(link), m_moveTimeMs(moveTimeMs), m_graceMs(graceMs) {
  m_link.onLine = [this](const std::string& line) { OnLine(line); };
  m_link.onFailure = [this](const std::string& why) { Fail(why); };
}

// The first turn of a game starts the program and gives it the field; the
// seed comes from the game's random source, so that a game with a fixed
// seed is repeatable.
void PointsEnginePlayer::TakeTurn(Match& match) {
  if (m_failed) return;
  if (m_match != &match) {
    m_match = &match;
    m_link.Start();
    const engine::Board& board = match.Board();
    SendCommand("init", {std::to_string(board.FieldWidth() - 1), std::to_string(board.FieldHeight() - 1),
                         std::to_string(match.RandomSource().NextSeed() % 2147483648ULL)});
    SendCommand("name");
  }
  BringUpToDate(match);
  const int moveTimeMs = match.ComputerMoveTime(engine::Side::Rival, m_moveTimeMs).UsualMs;
  SendCommand("gen_move_with_time", {"1", std::to_string(moveTimeMs)});
  match.ReportThinking(true, moveTimeMs);
  m_link.ExpectWithin(moveTimeMs + m_graceMs);
}

// The moves the program has been told and the game's agree up to some
// move; the rest is taken back there and the game's moves played instead.
void PointsEnginePlayer::BringUpToDate(const Match& match) {
  const std::vector<PlayedMove>& moves = match.Moves();
  std::size_t same = 0;
  while (same < m_told.size() && same < moves.size() && SameDot(m_told[same], moves[same])) ++same;
  for (std::size_t i = m_told.size(); i > same; --i) SendCommand("undo");
  for (std::size_t i = same; i < moves.size(); ++i) {
    const PlayedMove& move = moves[i];
    SendCommand("play", {std::to_string(PointsX(move.Dot)), std::to_string(PointsY(move.Dot)),
                         std::to_string(ColourOf(move.Mover))});
  }
  m_told.assign(moves.begin(), moves.end());
}

void PointsEnginePlayer::SendCommand(const std::string& command, const std::vector<std::string>& args) {
  const long id = m_nextId++;
  const std::string line = PointsCommandText(id, command, args);
  m_awaited.push_back(Awaited{id, command, line});
  m_link.Send(line);
}

void PointsEnginePlayer::OnLine(const std::string& line) {
  if (m_failed || m_match == nullptr) return;
  if (line.find_first_not_of(" \t\r\n") == std::string::npos) return;
  const auto answer = ParsePointsAnswer(line);
  if (m_awaited.empty() || !answer || answer->Id != m_awaited.front().Id ||
      answer->Command != m_awaited.front().Command) {
    return Fail("Другая программа ответила не по протоколу: " + Quoted(line) + ".");
  }
  const Awaited awaited = m_awaited.front();
  m_awaited.pop_front();
  if (m_awaited.empty()) m_link.StopWaiting();
  if (!*answer->Ok && awaited.Command != "name") {
    return Fail("Другая программа ответила ошибкой на команду " + Quoted(awaited.Line) + ".");
  }
  OnAnswer(awaited, answer->Args);
}

void PointsEnginePlayer::OnAnswer(const Awaited& awaited, const std::vector<std::string>& args) {
  if (awaited.Command == "name" && !args.empty()) {
    m_name.clear();
    for (const std::string& word : args) m_name += (m_name.empty() ? "" : " ") + word;
  }
  if (awaited.Command == "gen_move_with_time") TakeAnswer(args);
}

// The program's node, played for side 2 unless it was asked for before a
// move was taken back.
void PointsEnginePlayer::TakeAnswer(const std::vector<std::string>& args) {
  if (m_answersToDrop > 0) {
    --m_answersToDrop;
    return;
  }
  const auto x = args.size() == 3 ? ParsePointsNumber(args[0]) : std::nullopt;
  const auto y = args.size() == 3 ? ParsePointsNumber(args[1]) : std::nullopt;
  if (!x || !y || args[2] != "1" || *x < 0 || *y < 0 || *x > PointsMaxWidth || *y > PointsMaxHeight) {
    return Fail("Другая программа ответила не по протоколу: ход без узла стороны 2.");
  }
  const engine::Node node = FromPointsNode(static_cast<int>(*x), static_cast<int>(*y));
  Match& match = *m_match;
  if (!match.Board().IsPlayable(node.X, node.Y)) {
    return Fail("Другая программа пошла за пределы поля: " + std::to_string(*x) + " " + std::to_string(*y) + ".");
  }
  if (!match.IsFreeNode(node)) {
    return Fail("Другая программа пошла на занятый узел " + std::to_string(node.X) + " - " +
                std::to_string(node.Y) + ".");
  }
  match.ReportThinking(false, 0);
  match.PlayComputerAnswer(node);  // may end the game, and with it this player's state
}

void PointsEnginePlayer::Fail(const std::string& why) {
  if (m_failed || m_match == nullptr) return;
  m_failed = true;
  m_link.StopWaiting();
  m_match->ReportThinking(false, 0);
  if (onFailure) onFailure(why);
}

void PointsEnginePlayer::OnGameEnd() {
  if (m_match != nullptr) m_link.Stop();
  m_match = nullptr;
  m_told.clear();
  m_awaited.clear();
  m_answersToDrop = 0;
  m_failed = false;
}

void PointsEnginePlayer::StopThinking() {
  m_answersToDrop = 0;
  for (const Awaited& awaited : m_awaited) m_answersToDrop += awaited.Command == "gen_move_with_time" ? 1 : 0;
  m_link.StopWaiting();
}

std::string PointsEnginePlayer::Name() const { return m_name.empty() ? "Другая программа" : m_name; }

}  // namespace solvar::match
