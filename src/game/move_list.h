#pragma once
// The moves of a game as a list beside the field: each row the move's
// number, its side (a dot of its colour and the player's name), its node
// and what it took (+n, and -n for a dot of its own lost on it). Once the
// game is analysed, a move that lost five dots of expectation or more is
// marked as a mistake with the amount, and each row's tooltip gives the
// judgement. The shown move is highlighted; a click on a row asks for that
// move. The list takes no focus, so that the keys stay with the window.

#include <QTableWidget>

#include <functional>
#include <vector>

#include "match/game_record.h"
#include "match/move_tally.h"
#include "render/field_painter.h"

namespace solvar::game {

class MoveList : public QTableWidget {
  Q_OBJECT
 public:
  static constexpr int Width = 262;  // at 100 %

  explicit MoveList(QWidget* parent);

  // The rows of the record's moves: rows beyond the record go, new moves
  // are added (the rows before stay as they are).
  void ShowMoves(const match::GameRecord& record, const std::vector<match::MoveCaptures>& captures,
                 const render::FieldColors& colors);
  void Clear();
  // The analysis's judgement of the first moves (all of them, or as far as
  // it has come).
  void ShowJudgements(const match::GameRecord& record, const std::vector<match::MoveJudgement>& judged);
  // The row of the position after `moves` moves highlighted (none for 0).
  void MarkShown(int moves);

  // A row clicked: the position after that move is asked for.
  std::function<void(int moves)> onChosen;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void FitNames();
  void ShowMistakes(bool shown);
  void AddRow(int index, const match::PlayedMove& move, const match::MoveCaptures& captures,
              const match::GameRecord& record, const render::FieldColors& colors);
};

// The name of a side's player in the record, or «Сторона 1» / «Сторона 2».
QString SideName(const match::GameRecord& record, engine::Side side);

// "−6,4": an amount of dots with one decimal, as the list and the status bar
// show it.
QString DotsText(double dots);

}  // namespace solvar::game
