#pragma once
// Memo3, the game log: read-only lines added at the end, always showing the
// newest one, also after the window has changed its size.

#include <QPlainTextEdit>

namespace solvar::game {

class GameLog : public QPlainTextEdit {
  Q_OBJECT
 public:
  explicit GameLog(QWidget* parent);
  void AppendLine(const QString& line);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void ShowNewest();
};

}  // namespace solvar::game
