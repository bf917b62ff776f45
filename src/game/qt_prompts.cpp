#include "game/qt_prompts.h"

#include <QColorDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

#include "render/field_canvas.h"

namespace solvar::game {

bool QtPrompts::Message(MessageKind kind, const QString& text, MessageButtons buttons) {
  const bool warning = kind == MessageKind::Warning;
  QMessageBox box(warning ? QMessageBox::Warning : QMessageBox::Information,
                  warning ? QStringLiteral("Предупреждение") : QStringLiteral("Информация"), text,
                  QMessageBox::NoButton, m_parent);
  QAbstractButton* no = nullptr;
  if (buttons == MessageButtons::Ok) {
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
  } else {
    box.addButton(QStringLiteral("Да"), QMessageBox::YesRole);
    if (buttons == MessageButtons::YesNo) no = box.addButton(QStringLiteral("Нет"), QMessageBox::NoRole);
  }
  box.exec();
  // Only an explicit No says no; closing the box any other way goes on.
  return no == nullptr || box.clickedButton() != no;
}

std::optional<QString> QtPrompts::InputText(const QString& title, const QString& prompt,
                                            const QString& initial) {
  bool ok = false;
  const QString text = QInputDialog::getText(m_parent, title, prompt, QLineEdit::Normal, initial, &ok);
  if (!ok) return std::nullopt;
  return text;
}

std::optional<std::uint32_t> QtPrompts::ChooseColor(std::uint32_t current) {
  QColorDialog dialog(QColor(render::ToRgb(current)), m_parent);
  dialog.setObjectName(QStringLiteral("ColDil"));
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return render::FromRgb(dialog.selectedColor().rgb());
}

void QtPrompts::Error(const QString& text) {
  QMessageBox::critical(m_parent, QStringLiteral("Сольвар"), text);
}

}  // namespace solvar::game
