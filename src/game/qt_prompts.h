#pragma once

#include <QPointer>
#include <QWidget>

#include "game/prompts.h"

namespace solvar::game {

class QtPrompts : public Prompts {
 public:
  void SetParent(QWidget* parent) { m_parent = parent; }
  bool Message(MessageKind kind, const QString& text, MessageButtons buttons) override;
  bool Offer(const QString& text, const QString& offer) override;
  std::optional<QString> InputText(const QString& title, const QString& prompt, const QString& initial) override;
  std::optional<std::uint32_t> ChooseColor(std::uint32_t current) override;
  void Error(const QString& text) override;
  std::optional<QString> ChooseFile(FileChoice choice, const QString& folder) override;

 private:
  QPointer<QWidget> m_parent;
};

}  // namespace solvar::game
