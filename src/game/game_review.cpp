#include "game/game_review.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QShortcut>
#include <QToolButton>
#include <QWidget>

#include "game/analysis_graph.h"
#include "game/field_presenter.h"
#include "game/game_viewer.h"
#include "game/move_list.h"
#include "game/settings.h"
#include "game/settings_store.h"
#include "game/status_panels.h"
#include "match/match.h"

namespace solvar::game {

namespace {

QString NodeText(engine::Node node) { return QStringLiteral("%1 - %2").arg(node.X).arg(node.Y); }

int MistakesOf(const match::GameRecord& record, const std::vector<match::MoveJudgement>& judged, engine::Side side) {
  int mistakes = 0;
  for (std::size_t i = 0; i < judged.size() && i < record.Moves.size(); ++i) {
    const match::PlayedMove& move = record.Moves[i];
    if (move.Mover == side && match::LossOf(move, judged[i]) >= match::MistakeLoss) ++mistakes;
  }
  return mistakes;
}

}  // namespace

GameReview::GameReview(QWidget& content, const match::Match& match, GameViewer& viewer, FieldPresenter& field,
                       StatusPanels& status, const render::FieldColors& colors, Settings& settings, SettingsStore& store,
                       Window hooks, match::AnalysisBudget budget)
    : QObject(&content),
      m_match(match),
      m_viewer(viewer),
      m_field(field),
      m_status(status),
      m_colors(colors),
      m_settings(settings),
      m_store(store),
      m_window(std::move(hooks)),
      m_budget(budget),
      m_list(new MoveList(&content)),
      m_graph(new AnalysisGraph(&content, colors)) {
  m_list->hide();
  m_graph->hide();
  m_list->onChosen = [this](int moves) {
    if (m_viewer.IsShowing()) m_viewer.ShowMove(moves);
  };
  m_graph->onChosen = m_list->onChosen;
  connect(m_graph->Cancel(), &QToolButton::clicked, this, [this] {
    StopAnalysis();
    m_window.LayOutAgain();
  });
}

GameReview::~GameReview() { StopAnalysis(); }

void GameReview::AddListCommand(QMenu& view) {
  m_listCommand = view.addAction(QStringLiteral("Список &ходов\tCtrl+L"));
  m_listCommand->setObjectName(QStringLiteral("ShowMoveList"));
  m_listCommand->setCheckable(true);
  m_listCommand->setChecked(m_settings.MoveListShown);
  connect(m_listCommand, &QAction::triggered, this, [this](bool shown) { OnShowList(shown); });
  // The key also works during a game, while «Вид» is closed.
  auto* key = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_L), view.parentWidget());
  connect(key, &QShortcut::activated, this, [this] { OnShowList(!m_settings.MoveListShown); });
}

void GameReview::AddAnalyseCommand(QMenu& game) {
  m_analyseCommand = game.addAction(QStringLiteral("Анали&з партии"));
  m_analyseCommand->setObjectName(QStringLiteral("AnalyseGame"));
  m_analyseCommand->setEnabled(false);
  connect(m_analyseCommand, &QAction::triggered, this, [this] { OnAnalyse(); });
}

int GameReview::ListWidth() const {
  const bool inGame = m_match.InProgress() && m_settings.MoveListShown;
  return m_viewer.IsShowing() || inGame ? MoveList::Width : 0;
}

int GameReview::GraphHeight() const {
  return m_viewer.IsShowing() && (IsAnalysing() || !m_judged.empty()) ? AnalysisGraph::Height : 0;
}

const match::GameRecord* GameReview::ShownRecord() const {
  return m_viewer.IsShowing() ? &m_viewer.Shown()->Record() : nullptr;
}

void GameReview::GameShown() {
  StopAnalysis();
  const match::GameRecord& record = *ShownRecord();
  m_judged = record.Analysis;
  m_list->Clear();
  ShowList(record);
  ShowAnalysis(record, m_judged);
  UpdateCommands();
}

void GameReview::ShowList(const match::GameRecord& record) {
  m_tally.Follow(record);
  m_list->ShowMoves(record, m_tally.Captures(), m_colors);
}

void GameReview::ShowAnalysis(const match::GameRecord& record, const std::vector<match::MoveJudgement>& judged) {
  m_list->ShowJudgements(record, judged);
  m_graph->ShowJudgements(record, judged);
}

void GameReview::MoveShown(int moves) {
  m_list->MarkShown(moves);
  m_graph->MarkShown(moves);
  m_field.HideHint();
  const match::GameRecord* record = ShownRecord();
  if (record == nullptr || moves <= 0 || moves > static_cast<int>(m_judged.size())) return;
  const match::PlayedMove& move = record->Moves[static_cast<std::size_t>(moves - 1)];
  const match::MoveJudgement& judgement = m_judged[static_cast<std::size_t>(moves - 1)];
  if (judgement.Best != move.Dot) m_field.RingNode(judgement.Best, move.Mover);
  SayJudgement(moves);
}

// Beside the player's name: «Аня · перевес −3,2 · ошибка −6,4, лучше 5 - 6».
void GameReview::SayJudgement(int moves) {
  const match::GameRecord& record = *ShownRecord();
  const match::PlayedMove& move = record.Moves[static_cast<std::size_t>(moves - 1)];
  const match::MoveJudgement& judgement = m_judged[static_cast<std::size_t>(moves - 1)];
  QString text = m_viewer.MoveCredit(moves) + QStringLiteral(" · перевес ") + DotsText(judgement.Lead);
  const double loss = match::LossOf(move, judgement);
  if (loss >= match::MistakeLoss) {
    text += QStringLiteral(" · ошибка %1, лучше %2").arg(DotsText(-loss), NodeText(judgement.Best));
  } else if (judgement.Best != move.Dot) {
    text += QStringLiteral(" · лучше ") + NodeText(judgement.Best);
  }
  m_status.SetCredit(text);
}

void GameReview::GameLeft() {
  StopAnalysis();
  m_judged.clear();
  m_list->Clear();
  m_graph->Clear();
  m_field.HideHint();
  UpdateCommands();
}

// During a game the list follows the moves played (and taken back).
void GameReview::GameMoved() {
  if (m_viewer.IsShowing() || !m_match.InProgress() || !m_settings.MoveListShown) return;
  const match::GameRecord record = m_match.Record();
  ShowList(record);
  m_list->MarkShown(static_cast<int>(record.Moves.size()));
}

void GameReview::GameStarted() {
  StopAnalysis();
  m_judged.clear();
  m_list->Clear();
  m_graph->Clear();
  UpdateCommands();
}

void GameReview::GameEnded() { UpdateCommands(); }

void GameReview::OnShowList(bool shown) {
  m_settings.MoveListShown = shown;
  m_store.SaveMoveListShown(shown);
  if (m_listCommand != nullptr) m_listCommand->setChecked(shown);
  if (!m_match.InProgress() || m_viewer.IsShowing()) return;
  if (shown) {
    m_list->Clear();
    GameMoved();
  }
  m_window.LayOutAgain();
}

// The game shown, or between games the last one, which is shown first.
void GameReview::OnAnalyse() {
  if (IsAnalysing()) return;
  if (!m_viewer.IsShowing()) {
    if (m_match.InProgress() || m_match.Moves().empty()) return;
    m_viewer.OnLastGame();
  }
  const match::GameRecord* record = ShownRecord();
  if (record == nullptr || record->Moves.empty()) return;
  Analyse(*record);
}

void GameReview::Analyse(const match::GameRecord& record) {
  StopAnalysis();
  m_judged.clear();
  const std::uint64_t run = ++m_run;
  m_stop = std::make_shared<std::atomic<bool>>(false);
  match::AnalysisBudget budget = m_budget;
  if (m_window.Seed) budget.Seed = m_window.Seed();
  m_worker = std::thread([this, run, stop = m_stop, record, budget] {
    match::GameAnalysis analysis(record, budget);
    while (!analysis.Finished() && !stop->load()) {
      const std::size_t before = analysis.Judged().size();
      analysis.Step(stop.get());
      if (analysis.Judged().size() == before && !analysis.Finished()) continue;
      QMetaObject::invokeMethod(
          this, [this, run, judged = analysis.Judged(), finished = analysis.Finished()]() mutable {
            Judged(run, std::move(judged), finished);
          },
          Qt::QueuedConnection);
    }
  });
  ShowAnalysis(record, m_judged);
  m_graph->ShowProgress(0, static_cast<int>(record.Moves.size()));
  UpdateCommands();
  m_window.LayOutAgain();
  m_graph->MarkShown(m_viewer.Shown()->Position());
}

void GameReview::Judged(std::uint64_t run, std::vector<match::MoveJudgement> judged, bool finished) {
  const match::GameRecord* record = ShownRecord();
  if (run != m_run || record == nullptr) return;
  m_judged = std::move(judged);
  ShowAnalysis(*record, m_judged);
  m_graph->ShowProgress(static_cast<int>(m_judged.size()), static_cast<int>(record->Moves.size()));
  if (!finished) return;
  if (m_worker.joinable()) m_worker.join();
  m_graph->HideProgress();
  m_viewer.KeepAnalysis(m_judged);
  const int shown = m_viewer.Shown()->Position();
  MoveShown(shown);
  if (shown == 0) {
    m_status.Say(QStringLiteral("Анализ закончен: ошибок у %1 — %2, у %3 — %4")
                     .arg(SideName(*record, engine::Side::Own))
                     .arg(MistakesOf(*record, m_judged, engine::Side::Own))
                     .arg(SideName(*record, engine::Side::Rival))
                     .arg(MistakesOf(*record, m_judged, engine::Side::Rival)));
  }
  UpdateCommands();
}

void GameReview::StopAnalysis() {
  if (!m_worker.joinable()) return;
  m_stop->store(true);
  m_worker.join();
  ++m_run;
  m_graph->HideProgress();
  const match::GameRecord* record = ShownRecord();
  m_judged = record != nullptr ? record->Analysis : std::vector<match::MoveJudgement>{};
  if (record != nullptr) ShowAnalysis(*record, m_judged);
  UpdateCommands();
}

void GameReview::UpdateCommands() {
  if (m_analyseCommand == nullptr) return;
  const bool lastGame = !m_match.InProgress() && !m_match.Moves().empty();
  const match::GameRecord* record = ShownRecord();
  m_analyseCommand->setEnabled(!IsAnalysing() && ((record != nullptr && !record->Moves.empty()) || (record == nullptr && lastGame)));
}

}  // namespace solvar::game
