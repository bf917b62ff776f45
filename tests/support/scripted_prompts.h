#pragma once
// Answers the program's boxes from a script and records what was asked.

#include <QApplication>
#include <QDialog>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <deque>
#include <functional>
#include <optional>

#include "game/desktop.h"
#include "game/prompts.h"

namespace solvar::test {

class ScriptedPrompts : public game::Prompts {
 public:
  bool Message(game::MessageKind kind, const QString& text, game::MessageButtons buttons) override {
    messages << text;
    kinds.push_back(kind);
    (void)buttons;
    Open(text);
    if (yesNoAnswers.empty()) return true;
    const bool answer = yesNoAnswers.front();
    yesNoAnswers.pop_front();
    return answer;
  }
  bool Offer(const QString& text, const QString& offer) override {
    messages << text;
    kinds.push_back(game::MessageKind::Information);
    offers << offer;
    Open(text);
    if (offerAnswers.empty()) return false;
    const bool answer = offerAnswers.front();
    offerAnswers.pop_front();
    return answer;
  }
  std::optional<QString> InputText(const QString& title, const QString& prompt, const QString& initial) override {
    inputs << title + QStringLiteral("|") + prompt + QStringLiteral("|") + initial;
    Open(title);
    if (inputAnswers.empty()) return initial;
    const std::optional<QString> answer = inputAnswers.front();
    inputAnswers.pop_front();
    return answer;
  }
  std::optional<std::uint32_t> ChooseColor(std::uint32_t current) override {
    colorPresets.push_back(current);
    if (colorAnswers.empty()) return std::nullopt;
    const auto answer = colorAnswers.front();
    colorAnswers.pop_front();
    return answer;
  }
  void Error(const QString& text) override {
    errors << text;
    Open(text);
  }

  std::optional<QString> ChooseFile(game::FileChoice choice, const QString& folder) override {
    fileChoices.push_back(choice);
    fileFolders << folder;
    if (fileAnswers.empty()) return std::nullopt;
    const auto answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
  }

  // Runs while a message, error or input box is "open" (with its text, or an
  // input box's title), as a real box's nested event loop would let events
  // in (for example QTest::qWait).
  std::function<void(const QString& text)> whileOpen;
  std::vector<game::FileChoice> fileChoices;
  std::deque<std::optional<QString>> fileAnswers;
  QStringList fileFolders;

  QStringList messages;
  std::vector<game::MessageKind> kinds;
  QStringList inputs;
  QStringList errors;
  std::deque<bool> yesNoAnswers;
  QStringList offers;
  std::deque<bool> offerAnswers;
  std::deque<std::optional<QString>> inputAnswers;
  std::vector<std::uint32_t> colorPresets;
  std::deque<std::optional<std::uint32_t>> colorAnswers;

 private:
  void Open(const QString& text) {
    if (whileOpen) whileOpen(text);
  }
};

class FakeDesktop : public game::Desktop {
 public:
  bool OpenAddress(const QString& address) override {
    opened << address;
    return accept;
  }
  QStringList opened;
  bool accept = true;
};

// Closes every modal dialog that opens while it lives, recording its object
// name, so that a handler that shows one runs to its end. `whileOpen` runs
// first, inside the dialog's own nested event loop.
class ModalCloser {
 public:
  ModalCloser() {
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
      if (m_busy) return;
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (dialog != nullptr && !spared.contains(dialog->objectName())) {
        m_busy = true;
        closed << dialog->objectName();
        if (whileOpen) whileOpen(dialog->objectName());
        dialog->reject();
        m_busy = false;
      }
    });
    m_timer.start(5);
  }
  QStringList closed;
  std::function<void(const QString& name)> whileOpen;
  QStringList spared;  // the dialogs, by name, left open

 private:
  QTimer m_timer;
  bool m_busy = false;
};

}  // namespace solvar::test
