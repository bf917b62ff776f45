#include "game/box_queue.h"

#include <QMetaObject>
#include <QStringList>

namespace solvar::game {

namespace {

constexpr qsizetype LongestLine = 200;
constexpr qsizetype MostLines = 12;

}  // namespace

void BoxQueue::Post(Box box) {
  m_waiting.push_back(std::move(box));
  Schedule();
}

void BoxQueue::Schedule() {
  if (m_scheduled || m_open || m_waiting.empty()) return;
  m_scheduled = true;
  QMetaObject::invokeMethod(this, &BoxQueue::ShowNext, Qt::QueuedConnection);
}

// While a box is open its nested loop may post more; they wait for it.
void BoxQueue::ShowNext() {
  m_scheduled = false;
  if (m_open || m_waiting.empty()) return;
  const Box box = std::move(m_waiting.front());
  m_waiting.pop_front();
  m_open = true;
  struct Closed {
    BoxQueue& queue;
    ~Closed() {
      queue.m_open = false;
      queue.Schedule();
    }
  } closed{*this};
  box();
}

QString ReadableBoxText(const QString& text) {
  QStringList lines = text.split(QLatin1Char('\n'));
  if (lines.size() > MostLines) {
    lines = lines.mid(0, MostLines);
    lines.back() = QStringLiteral("…");
  }
  for (QString& line : lines) {
    if (line.size() > LongestLine) line = line.left(LongestLine) + QStringLiteral("…");
  }
  return lines.join(QLatin1Char('\n'));
}

}  // namespace solvar::game
