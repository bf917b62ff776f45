#pragma once
// StatusBar1's three panels: the time of day, the node selected (and what
// the program has to say meanwhile), and the credit line (or whose turn it
// is, or the move shown of a saved game).

#include <QString>

class QLabel;
class QStatusBar;

namespace solvar::game {

// The status bar's credit line: the site of the program.
inline constexpr const char* CreditLine = "solvar.example.org";
inline constexpr int StatusBarHeight = 19;

class StatusPanels {
 public:
  explicit StatusPanels(QStatusBar& bar);

  void ShowTimeOfDay();
  // The middle panel; `whole` is the whole of what is meant, where the
  // panel shows it short (its tooltip).
  void Say(const QString& text, const QString& whole = QString());
  void ClearSaying();
  QString Saying() const;
  // The last panel, right-aligned; a text too long for it loses its middle
  // (the name in it), never its end, and the tooltip gives it whole.
  void SetCredit(const QString& text);
  QString Credit() const;
  void ResetCredit();

 private:
  QLabel* m_clock;
  QLabel* m_selection;
  QLabel* m_credit;
};

}  // namespace solvar::game
