#include "game/game_log.h"

#include <QScrollBar>

namespace solvar::game {

GameLog::GameLog(QWidget* parent) : QPlainTextEdit(parent) { setReadOnly(true); }

void GameLog::AppendLine(const QString& line) {
  appendPlainText(line);
  ShowNewest();
}

void GameLog::resizeEvent(QResizeEvent* event) {
  QPlainTextEdit::resizeEvent(event);
  ShowNewest();
}

void GameLog::ShowNewest() {
  QScrollBar* bar = verticalScrollBar();
  bar->setValue(bar->maximum());
}

}  // namespace solvar::game
