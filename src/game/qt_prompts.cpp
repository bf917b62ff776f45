#include "game/qt_prompts.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QGridLayout>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include "dialogs/style.h"
#include "render/field_canvas.h"

namespace solvar::game {

namespace {

// A message box sizes itself by its text; a short text would cut its title.
void FitTitle(QMessageBox& box) {
  if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
    grid->addItem(new QSpacerItem(dialogs::TitleWidth(box.windowTitle()), 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                  grid->rowCount(), 0, 1, grid->columnCount());
  }
}

// A box's label wraps only between words: a long run without a space (a
// number the peer sent, a path) gets places to wrap, so the box fits the
// screen. The text is always plain text, never markup.
QString Wrappable(const QString& text) {
  constexpr int Run = 40;
  QString wrappable;
  int run = 0;
  for (const QChar c : text) {
    run = c.isSpace() ? 0 : run + 1;
    if (run > Run) {
      wrappable += QChar(0x200B);
      run = 1;
    }
    wrappable += c;
  }
  return wrappable;
}

void SetPlainText(QMessageBox& box, const QString& text) {
  box.setTextFormat(Qt::PlainText);
  box.setText(Wrappable(text));
}

}  // namespace

bool QtPrompts::Message(MessageKind kind, const QString& text, MessageButtons buttons) {
  const bool warning = kind == MessageKind::Warning;
  QMessageBox box(warning ? QMessageBox::Warning : QMessageBox::Information,
                  warning ? QStringLiteral("Предупреждение") : QStringLiteral("Информация"), QString(),
                  QMessageBox::NoButton, m_parent);
  SetPlainText(box, text);
  FitTitle(box);
  if (buttons != MessageButtons::YesNo) {
    box.addButton(buttons == MessageButtons::Ok ? QStringLiteral("OK") : QStringLiteral("Да"), QMessageBox::AcceptRole);
    box.exec();
    return true;
  }
  // A question that may cost a game: a slip of Return, Space or Esc keeps it.
  QAbstractButton* yes = box.addButton(QStringLiteral("Да"), QMessageBox::YesRole);
  QPushButton* no = box.addButton(QStringLiteral("Нет"), QMessageBox::NoRole);
  box.setDefaultButton(no);
  box.setEscapeButton(no);
  box.exec();
  return box.clickedButton() == yes;
}

bool QtPrompts::Offer(const QString& text, const QString& offer) {
  QMessageBox box(QMessageBox::Information, QStringLiteral("Информация"), QString(), QMessageBox::NoButton, m_parent);
  SetPlainText(box, text);
  FitTitle(box);
  QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
  QPushButton* offered = box.addButton(offer, QMessageBox::ActionRole);
  box.setDefaultButton(ok);
  box.setEscapeButton(ok);
  box.exec();
  return box.clickedButton() == offered;
}

std::optional<QString> QtPrompts::InputText(const QString& title, const QString& prompt,
                                            const QString& initial) {
  QInputDialog dialog(m_parent);
  dialog.setWindowTitle(title);
  dialog.setLabelText(prompt);
  dialog.setTextValue(initial);
  // The box sizes itself by its line; a wider line keeps the title whole.
  if (auto* line = dialog.findChild<QLineEdit*>()) line->setMinimumWidth(dialogs::TitleWidth(title) - 24);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.textValue();
}

std::optional<std::uint32_t> QtPrompts::ChooseColor(std::uint32_t current) {
  QColorDialog dialog(QColor(render::ToRgb(current)), m_parent);
  dialog.setObjectName(QStringLiteral("ColDil"));
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return render::FromRgb(dialog.selectedColor().rgb());
}

// The platform's file dialog, for games in SGF.
std::optional<QString> QtPrompts::ChooseFile(FileChoice choice, const QString& folder) {
  const bool save = choice == FileChoice::SaveGame;
  QFileDialog dialog(m_parent, save ? QStringLiteral("Сохранить партию") : QStringLiteral("Открыть партию"), folder);
  dialog.setObjectName(save ? QStringLiteral("SaveGameDialog") : QStringLiteral("OpenGameDialog"));
  dialog.setNameFilter(QStringLiteral("Партии (*.sgf)"));
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setDefaultSuffix(QStringLiteral("sgf"));
  dialog.resize(760, 460);  // the size and the date show whole
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().constFirst();
}

void QtPrompts::Error(const QString& text) {
  QMessageBox box(QMessageBox::Critical, QStringLiteral("Сольвар"), QString(), QMessageBox::Ok, m_parent);
  SetPlainText(box, text);
  FitTitle(box);
  box.exec();
}

}  // namespace solvar::game
