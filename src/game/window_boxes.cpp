#include "game/window_boxes.h"

#include "game/box_queue.h"

namespace solvar::game {

WindowBoxes::WindowBoxes(Prompts& prompts, QObject* parent) : m_prompts(prompts), m_queue(new BoxQueue(parent)) {}

void WindowBoxes::Guarded(const std::function<void()>& work) {
  try {
    work();
  } catch (const std::exception& error) {
    ReportError(QString::fromUtf8(error.what()));
  }
}

void WindowBoxes::InSocketHandler(const std::function<void()>& work) {
  struct Depth {
    explicit Depth(int& depth) : Count(depth) { ++Count; }
    ~Depth() { --Count; }
    Depth(const Depth&) = delete;
    Depth& operator=(const Depth&) = delete;
    int& Count;
  } depth(m_socketDepth);
  Guarded(work);
}

void WindowBoxes::Show(const std::function<void()>& box) {
  if (m_socketDepth == 0) return box();
  m_queue->Post([this, box] { Guarded(box); });
}

void WindowBoxes::ReportError(const QString& text) {
  const QString shown = ReadableBoxText(text);
  Show([this, shown] { m_prompts.Error(shown); });
}

void WindowBoxes::AfterBoxes(const std::function<void()>& work) {
  if (m_socketDepth > 0 && m_queue->IsBusy()) return m_queue->Post([this, work] { Guarded(work); });
  Guarded(work);
}

}  // namespace solvar::game
