#pragma once
// The window's boxes and the guard round every event. A box runs a nested
// event loop, and a socket whose signal is being delivered must never wait
// on one (the peer may close it meanwhile and have it deleted under the
// handler): while a socket's handler runs, a box asked for is posted and
// shown once the handler has returned, one at a time, in order. Every
// event's work runs inside Guarded: an error that escapes it is shown in an
// error box and the program goes on.

#include <QObject>

#include <functional>

#include "game/prompts.h"

namespace solvar::game {

class BoxQueue;

class WindowBoxes {
 public:
  WindowBoxes(Prompts& prompts, QObject* parent);

  Prompts& Ask() { return m_prompts; }

  // Runs one event's work; an error that escapes it is shown in an error box.
  void Guarded(const std::function<void()>& work);
  // The work of a socket's signal: guarded, and marked, so that every box it
  // asks for is shown afterwards.
  void InSocketHandler(const std::function<void()>& work);
  bool IsHandlingSocket() const { return m_socketDepth > 0; }

  // Shows a box now, or, inside a socket's handler, once the handler has
  // returned (the boxes wait their turn).
  void Show(const std::function<void()>& box);
  // An error box with the text made readable.
  void ReportError(const QString& text);
  // Runs `work` now, or, inside a socket's handler while boxes wait, after
  // them.
  void AfterBoxes(const std::function<void()>& work);

 private:
  Prompts& m_prompts;
  BoxQueue* m_queue;
  int m_socketDepth = 0;  // how many socket handlers are running
};

}  // namespace solvar::game
