#pragma once
// The hidden diagnostic controls of the window, never shown: computer
// against computer («PC vs PC» with Timer1), two prepared test positions
// («Okrugaj!!!!», «Proverka»), the bare grid («Pole»), the picture before
// the last move («Назад»), the stored position (Panel2, with CheckBox1
// «Ходить за PC»), and the memos of the threat evaluation's candidates.

#include <QString>

#include <string_view>

#include "match/match.h"

class QCheckBox;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class QWidget;

namespace solvar::game {

class ClickablePanel;
class FieldPresenter;
class Opponents;
struct Settings;

class HiddenTools {
 public:
  HiddenTools(QWidget& content, match::Match& match, const Settings& settings, Opponents& opponents,
              FieldPresenter& field, QString positionFile);

  // The controls, for the window to connect to its handlers.
  QPushButton* ComputerAgainstComputer() const { return m_button1; }
  QPushButton* SurroundCheck() const { return m_button2; }
  QPushButton* BareGrid() const { return m_button3; }
  QPushButton* CaptureCheck() const { return m_button4; }
  QPushButton* Back() const { return m_bitBtn1; }
  ClickablePanel* PositionPanel() const { return m_panel2; }
  QTimer* SelfPlayTimer() const { return m_timer1; }
  // «Ходить за PC»: the player's click plays the computer's dot.
  bool PlaysForComputer() const;

  void StartComputerAgainstComputer();
  // Each tick plays up to two moves, side 1 first (at the strong level side
  // 2's search waits for its answer), and stops the mode as soon as no free
  // node is left.
  void SelfPlayTick();
  void ShowSurroundCheck();
  void ShowBareGrid();
  void PlayCaptureCheck();
  void LoadStoredPosition();
  void CandidateLine(std::string_view line);

 private:
  match::Match& m_match;
  const Settings& m_settings;
  Opponents& m_opponents;
  FieldPresenter& m_field;
  QString m_positionFile;
  QPushButton* m_button1;
  QPushButton* m_button2;
  QPushButton* m_button3;
  QPushButton* m_button4;
  QPushButton* m_bitBtn1;
  QPlainTextEdit* m_memo2;
  ClickablePanel* m_panel2;
  QCheckBox* m_checkBox1;
  QTimer* m_timer1;
};

}  // namespace solvar::game
