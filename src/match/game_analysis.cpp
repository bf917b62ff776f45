#include "match/game_analysis.h"

#include <algorithm>

#include "ai/strong_search.h"
#include "match/game_replay.h"

namespace solvar::match {

namespace {

using engine::Side;

constexpr std::uint64_t SeedStep = 0xD1B54A32D192ED03ULL;

// Nothing is reported of the captures while a game is replayed.
class NoCaptures : public engine::CaptureObserver {
 public:
  void OnCapture(const engine::Outline&) override {}
};

double FirstSidesLead(const engine::Board& board) {
  const engine::CellCounts counts = engine::CountCells(board);
  return counts.OwnScore - counts.RivalScore;
}

}  // namespace

double LossOf(const PlayedMove& move, const MoveJudgement& judgement) {
  if (judgement.Best == move.Dot) return 0;
  const double forFirst = judgement.BestLead - judgement.Lead;
  return std::max(0.0, move.Mover == Side::Own ? forFirst : -forFirst);
}

// Each side's positions come two moves apart, so each side's search can go
// on from the tree it grew for its last one.
struct GameAnalysis::Searches {
  ai::StrongSearch First;
  ai::StrongSearch Second;
  ai::StrongSearch& Of(Side side) { return side == Side::Own ? First : Second; }
};

GameAnalysis::GameAnalysis(GameRecord record, AnalysisBudget budget)
    : m_record(std::move(record)), m_budget(budget), m_searches(std::make_unique<Searches>()) {
  ReplayOnto(m_board, m_record, 0, nullptr);
}

GameAnalysis::~GameAnalysis() = default;

void GameAnalysis::Step(const std::atomic<bool>* stop) {
  if (Finished()) return;
  const Value value = Search(stop);
  if (stop != nullptr && stop->load()) return;
  if (m_position > 0) {
    MoveJudgement judgement;
    judgement.Lead = value.Lead;
    judgement.Best = m_before.Best;
    // The move played was the best one: what it is worth is known from the
    // position it left, searched longer for it.
    const bool played = m_before.Best == m_record.Moves[static_cast<std::size_t>(m_position - 1)].Dot;
    judgement.BestLead = played ? value.Lead : m_before.Lead;
    m_judged.push_back(judgement);
  }
  m_before = value;
  if (m_position < MoveCount()) {
    NoCaptures none;
    PlayRecordedMove(m_board, m_record.Moves[static_cast<std::size_t>(m_position)], m_record.Rules,
                     m_record.CapturesFollowPaths, none);
  }
  ++m_position;
}

// The side to move is the one of the next move (after the last, the other
// side); a full field is worth what it holds, and so is a position whose
// search played no game (its one move is forced, or it is the empty field).
GameAnalysis::Value GameAnalysis::Search(const std::atomic<bool>* stop) {
  const std::vector<PlayedMove>& moves = m_record.Moves;
  const auto at = static_cast<std::size_t>(m_position);
  const Side mover = at < moves.size() ? moves[at].Mover : moves.empty() ? Side::Own : engine::Opponent(moves.back().Mover);
  Value value;
  value.Lead = FirstSidesLead(m_board);
  if (engine::CountCells(m_board).FreeCount == 0) return value;
  ai::SearchLimits limits;
  limits.Playouts = m_budget.Playouts;
  limits.MoveTimeMs = m_budget.MoveTimeMs;
  limits.Threads = m_budget.Threads;
  limits.Rules = m_record.Rules;
  ai::SearchReport report;
  const std::uint64_t seed = m_budget.Seed + SeedStep * static_cast<std::uint64_t>(m_position + 1);
  const auto best = m_searches->Of(mover).Choose(m_board, mover, limits, seed, stop, &report);
  if (best) value.Best = *best;
  if (report.ExpectedMargin) value.Lead = mover == Side::Own ? *report.ExpectedMargin : -*report.ExpectedMargin;
  return value;
}

std::vector<MoveJudgement> AnalyseGame(const GameRecord& record, const AnalysisBudget& budget,
                                       const std::function<void(int move, const MoveJudgement&)>& judged) {
  GameAnalysis analysis(record, budget);
  while (!analysis.Finished()) {
    const std::size_t before = analysis.Judged().size();
    analysis.Step();
    if (judged && analysis.Judged().size() > before) {
      judged(static_cast<int>(before) + 1, analysis.Judged().back());
    }
  }
  return analysis.Judged();
}

}  // namespace solvar::match
