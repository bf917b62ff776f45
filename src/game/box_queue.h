#pragma once
// The boxes that network play has to show. A box runs a nested event loop,
// and a socket whose signal is being delivered must never wait on one (the
// peer may close it meanwhile and have it deleted under the handler), so a
// socket's handler only posts its box here and returns. The boxes are shown
// one at a time, in the order posted, from the window's own event loop.

#include <QObject>

#include <deque>
#include <functional>

namespace solvar::game {

class BoxQueue : public QObject {
  Q_OBJECT
 public:
  using Box = std::function<void()>;
  explicit BoxQueue(QObject* parent) : QObject(parent) {}

  // `box` runs once every box posted before it has been answered, and never
  // while the caller is still on the stack.
  void Post(Box box);
  // A box is open or waiting to be shown.
  bool IsBusy() const { return m_open || !m_waiting.empty(); }

 private:
  void ShowNext();
  void Schedule();

  std::deque<Box> m_waiting;
  bool m_open = false;
  bool m_scheduled = false;
};

// A box's text as a person can read it on the screen: each line cut to 200
// characters with «…», and at most 12 lines.
QString ReadableBoxText(const QString& text);

}  // namespace solvar::game
