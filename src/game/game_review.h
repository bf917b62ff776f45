#pragma once
// Looking back over a game: the list of its moves beside the field, and the
// strong computer's analysis of it.
//
// The list stands beside the score panel whenever a game is shown (a saved
// one, the last one), and during a game when «Вид» → «Список ходов» is on
// (kept for the next run). «Игра» → «Анализ партии» analyses the game shown
// (between games, the last one, which it shows first): every position is
// searched in turn on a thread of its own, so the window goes on answering;
// the graph under the field grows as the moves are judged, with a progress
// bar and «Отмена». The list then marks each mistake (five dots of
// expectation lost or more), and stepping through the game rings on the
// field the node the computer would have played instead of a move that was
// not its choice. The analysis goes with the game into a saved file, and a
// file that holds one shows it at once.

#include <QObject>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "match/game_analysis.h"
#include "match/move_tally.h"
#include "render/field_painter.h"

class QAction;
class QMenu;
class QWidget;

namespace solvar::match {
class Match;
}

namespace solvar::game {

class AnalysisGraph;
class FieldPresenter;
class GameViewer;
class MoveList;
class SettingsStore;
class StatusPanels;
struct Settings;

class GameReview : public QObject {
  Q_OBJECT
 public:
  // What the review asks of the window round it.
  struct Window {
    std::function<void()> LayOutAgain;  // a panel was shown or hidden
    std::function<std::uint64_t()> Seed;  // for each analysis
  };

  GameReview(QWidget& content, const match::Match& match, GameViewer& viewer, FieldPresenter& field,
             StatusPanels& status, const render::FieldColors& colors, Settings& settings, SettingsStore& store,
             Window hooks, match::AnalysisBudget budget = {});
  ~GameReview() override;

  // «Список ходов» in «Вид», «Анализ партии» in «Игра».
  void AddListCommand(QMenu& view);
  void AddAnalyseCommand(QMenu& game);

  MoveList& List() const { return *m_list; }
  AnalysisGraph& Graph() const { return *m_graph; }
  // The room the panels take beside and under the field at 100 % (0 when
  // hidden).
  int ListWidth() const;
  int GraphHeight() const;
  bool IsAnalysing() const { return m_worker.joinable(); }

  // What the viewer and the game do.
  void GameShown();
  void MoveShown(int moves);
  void GameLeft();
  void GameMoved();
  void GameStarted();
  void GameEnded();

  void OnShowList(bool shown);
  void OnAnalyse();
  // The analysis running is stopped; what it judged is dropped.
  void StopAnalysis();

 private:
  void Analyse(const match::GameRecord& record);
  void Judged(std::uint64_t run, std::vector<match::MoveJudgement> judged, bool finished);
  void ShowList(const match::GameRecord& record);
  void ShowAnalysis(const match::GameRecord& record, const std::vector<match::MoveJudgement>& judged);
  void SayJudgement(int moves);
  const match::GameRecord* ShownRecord() const;
  void UpdateCommands();

  const match::Match& m_match;
  GameViewer& m_viewer;
  FieldPresenter& m_field;
  StatusPanels& m_status;
  const render::FieldColors& m_colors;
  Settings& m_settings;
  SettingsStore& m_store;
  Window m_window;
  match::AnalysisBudget m_budget;
  MoveList* m_list;
  AnalysisGraph* m_graph;
  QAction* m_listCommand = nullptr;
  QAction* m_analyseCommand = nullptr;
  match::MoveTally m_tally;
  std::vector<match::MoveJudgement> m_judged;  // of the game shown, as far as judged
  std::thread m_worker;
  std::shared_ptr<std::atomic<bool>> m_stop;
  std::uint64_t m_run = 0;  // the analysis whose results are awaited
};

}  // namespace solvar::game
