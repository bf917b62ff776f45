#pragma once
// Helpers for the tools that drive the real main window without a person:
// boxes answered as a person pressing Enter would, no desktop, and clicks on
// the field.

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>

#include <cstdio>

#include "engine/board.h"
#include "game/desktop.h"
#include "game/prompts.h"

namespace solvar::tools {

class EnterPrompts : public game::Prompts {
 public:
  explicit EnterPrompts(bool echo = false, QString address = QString()) : m_echo(echo), m_address(std::move(address)) {}
  // The file every save or open dialog chooses; none cancels them.
  std::optional<QString> gameFile;
  bool Message(game::MessageKind, const QString& text, game::MessageButtons) override {
    if (m_echo) std::printf("box: %s\n", text.toUtf8().constData());
    return true;
  }
  bool Offer(const QString& text, const QString&) override {
    if (m_echo) std::printf("box: %s\n", text.toUtf8().constData());
    return false;
  }
  // The join command gets the address; every other box keeps its text.
  std::optional<QString> InputText(const QString& title, const QString&, const QString& initial) override {
    return title == QStringLiteral("Подключение...") ? m_address : initial;
  }
  std::optional<std::uint32_t> ChooseColor(std::uint32_t) override { return std::nullopt; }
  void Error(const QString& text) override { std::printf("error box: %s\n", text.toUtf8().constData()); }
  std::optional<QString> ChooseFile(game::FileChoice, const QString&) override { return gameFile; }

 private:
  bool m_echo;
  QString m_address;
};

class NoDesktop : public game::Desktop {
 public:
  bool OpenAddress(const QString&) override { return false; }
};

inline void SendMouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button,
                      Qt::MouseButtons buttons) {
  QMouseEvent event(type, at, target->mapToGlobal(at), button, buttons, Qt::NoModifier);
  QCoreApplication::sendEvent(target, &event);
}

// Moves the mouse onto the node and clicks it.
inline void ClickNode(QWidget* field, engine::Node node) {
  const QPoint at(12 * node.X, 12 * node.Y);
  SendMouse(field, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
  SendMouse(field, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
  SendMouse(field, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
}

}  // namespace solvar::tools
