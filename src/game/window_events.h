#pragma once
// What the game reports, handed to the part of the window it concerns: the
// field paints dots, captures and the marker, the score panel counts, the
// log logs, the opponents announce the first move and count down a
// computer's thinking, the viewer offers the result, the records ask the
// winner's name, and the form lays itself out when a game starts or ends.

#include <QString>

#include <functional>

#include "match/match_observer.h"

namespace solvar::match {
class Match;
}

namespace solvar::game {

class FieldPresenter;
class GameReview;
class GameSounds;
class GameViewer;
class HiddenTools;
class Opponents;
class RecordsKeeper;
class ScorePanel;
class TakeBackAndHints;

class WindowEvents : public match::MatchObserver {
 public:
  struct Parts {
    const match::Match* Game = nullptr;
    FieldPresenter* Field = nullptr;
    ScorePanel* Panel = nullptr;
    game::Opponents* Rivals = nullptr;
    TakeBackAndHints* TakeBack = nullptr;
    GameViewer* Viewer = nullptr;
    GameReview* Review = nullptr;
    RecordsKeeper* Records = nullptr;
    HiddenTools* Hidden = nullptr;
    GameSounds* Sounds = nullptr;
    std::function<void(const QString& line)> Log;
    std::function<void()> GameStarted;  // the form's layout for a game
    std::function<void()> GameEnded;
  };

  // The parts, once they are made (the match that reports comes first).
  void Attach(Parts parts) { m_parts = std::move(parts); }

  void OnGameStarted() override;
  void OnFirstMove(engine::Side side) override;
  void OnDotPlaced(engine::Node node, engine::Side side) override;
  void OnMarkerMoved(engine::Node node) override;
  void OnPositionCleared() override;
  void OnCapture(const engine::Outline& outline) override;
  void OnLogLine(std::string_view utf8Line) override;
  void OnMovePlayed(engine::Side side, int captured) override;
  void OnChatReceived() override;
  void OnScoresChanged(const engine::CellCounts& counts) override;
  void OnTurnChanged(match::Turn turn) override;
  void OnResult(const match::GameResult& result) override;
  void AskWinnerName(std::string_view initial, NameAnswer answer) override;
  void OnRecordEntered() override;
  void OnComputerThinking(bool thinking, int moveTimeMs) override;
  void OnGameEnded() override;
  void OnCandidateDump(std::string_view line) override;

 private:
  Parts m_parts;
};

}  // namespace solvar::game
