#include "game/window_events.h"

#include "game/field_presenter.h"
#include "game/field_view.h"
#include "game/game_review.h"
#include "game/game_sounds.h"
#include "game/game_viewer.h"
#include "game/hidden_tools.h"
#include "game/opponents.h"
#include "game/records_keeper.h"
#include "game/score_panel.h"
#include "game/take_back_and_hints.h"
#include "match/match.h"

namespace solvar::game {

void WindowEvents::OnGameStarted() { m_parts.GameStarted(); }
void WindowEvents::OnFirstMove(engine::Side side) { m_parts.Rivals->AnnounceFirstMove(side); }
void WindowEvents::OnDotPlaced(engine::Node node, engine::Side side) { m_parts.Field->Dot(node, side); }
void WindowEvents::OnMarkerMoved(engine::Node node) { m_parts.Field->MarkMove(node); }
// Taken back: the field is painted again from its grid, as the game's dots
// and captures follow.
void WindowEvents::OnPositionCleared() { m_parts.Field->ClearToGrid(m_parts.Game->Board()); }
void WindowEvents::OnCapture(const engine::Outline& outline) { m_parts.Field->Capture(outline); }

void WindowEvents::OnLogLine(std::string_view utf8Line) {
  m_parts.Log(QString::fromUtf8(utf8Line.data(), static_cast<qsizetype>(utf8Line.size())));
}

// Each move is heard, and the list of moves follows it at once (also the
// last move of a game, whose result box comes before the next turn would).
void WindowEvents::OnMovePlayed(engine::Side, int captured) {
  if (m_parts.Sounds != nullptr) m_parts.Sounds->MovePlayed(captured);
  m_parts.Review->GameMoved();
}

void WindowEvents::OnChatReceived() {
  if (m_parts.Sounds != nullptr) m_parts.Sounds->MessageReceived();
}

void WindowEvents::OnScoresChanged(const engine::CellCounts& counts) {
  m_parts.Panel->SetCounts(counts.OwnScore, counts.RivalScore, counts.FreeCount);
}

// The field takes clicks except while the opponent is to move (in a game of
// two people both are at this window).
void WindowEvents::OnTurnChanged(match::Turn turn) {
  m_parts.Field->Field().setEnabled(turn != match::Turn::Opponent || m_parts.Game->IsTwoPlayers());
  m_parts.TakeBack->UpdateCommands();
  m_parts.Rivals->TurnChanged(turn);
  m_parts.Review->GameMoved();
}

void WindowEvents::OnResult(const match::GameResult& result) {
  if (m_parts.Sounds != nullptr) m_parts.Sounds->GameOver(result, m_parts.Game->IsTwoPlayers());
  m_parts.Viewer->OfferResult(result);
}

void WindowEvents::AskWinnerName(std::string_view initial, NameAnswer answer) {
  m_parts.Records->AskWinnerName(initial, std::move(answer));
}

// A win is on the disk as soon as it enters the table.
void WindowEvents::OnRecordEntered() { m_parts.Records->RecordEntered(); }

void WindowEvents::OnComputerThinking(bool thinking, int moveTimeMs) {
  m_parts.Rivals->Thinking(thinking, moveTimeMs);
}

void WindowEvents::OnGameEnded() { m_parts.GameEnded(); }
void WindowEvents::OnCandidateDump(std::string_view line) { m_parts.Hidden->CandidateLine(line); }

}  // namespace solvar::game
