#pragma once
// «Другой…» of «Контроль времени»: a time control of the player's own, the
// main time in minutes and seconds and the seconds of each move, either
// added to the main time after the move (as on most sites' blitz) or given
// to the move before its main time is spent. «Согласен» takes it only when
// it is a time control at all (some main time, or seconds of each move
// given within it).

#include <QDialog>

class QPushButton;
class QRadioButton;
class QSpinBox;

namespace solvar::dialogs {

class TimeControlDialog : public QDialog {
  Q_OBJECT
 public:
  explicit TimeControlDialog(QWidget* parent = nullptr);

  void SetControl(int mainSeconds, int moveSeconds, bool freeWithinMove);
  int MainSeconds() const;
  int MoveSeconds() const;
  bool FreeWithinMove() const;

 private:
  void CheckValues();

  QSpinBox* m_minutes;
  QSpinBox* m_seconds;
  QSpinBox* m_move;
  QRadioButton* m_added;
  QRadioButton* m_free;
  QPushButton* m_agree;
};

}  // namespace solvar::dialogs
