#include "dialogs/field_size_dialog.h"

#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

#include "dialogs/style.h"
#include "engine/board.h"

namespace solvar::dialogs {

SpinEdit::SpinEdit(int minimum, int maximum, int start, QWidget* parent) : QSpinBox(parent) {
  setRange(minimum, maximum);
  setValue(start);
  lineEdit()->setMaxLength(2);
  setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
}

QValidator::State SpinEdit::validate(QString& input, int&) const {
  const bool allowed = std::all_of(input.begin(), input.end(), [](QChar c) {
    return c.isDigit() || c == QLatin1Char('+') || c == QLatin1Char('-') || c == QLatin1Char('.') ||
           c == QLatin1Char(',');
  });
  return allowed ? QValidator::Acceptable : QValidator::Invalid;
}

int SpinEdit::valueFromText(const QString& text) const {
  bool ok = false;
  const int value = text.toInt(&ok);
  if (!ok) return minimum();
  return std::clamp(value, minimum(), maximum());
}

void SpinEdit::fixup(QString& input) const { input = QString::number(valueFromText(input)); }

TForm4::TForm4(QWidget* parent) : QDialog(parent) {
  SetUpDialog(this, QStringLiteral("TForm4"), QStringLiteral("Настойки поля"));
  setFixedSize(410, 56);
  SetBackground(this, White);
  setFont(ArialFont(13));
  PlacedLabel(this, QStringLiteral("Ширина:"), ArialFont(13), Blue, 8, 19);
  m_width = new SpinEdit(engine::MinFieldWidth, engine::MaxFieldWidth, engine::MaxFieldWidth, this);
  m_width->setObjectName(QStringLiteral("SpinEdit1"));
  m_width->setGeometry(64, 16, 57, 24);
  PlacedLabel(this, QStringLiteral("Высота:"), ArialFont(13), Blue, 176, 19);
  m_height = new SpinEdit(engine::MinFieldHeight, engine::MaxFieldHeight, engine::MaxFieldHeight, this);
  m_height->setObjectName(QStringLiteral("SpinEdit2"));
  m_height->setGeometry(232, 16, 57, 24);
  auto* agree = new QPushButton(QStringLiteral("Согласин"), this);
  agree->setObjectName(QStringLiteral("BitBtn1"));
  agree->setGeometry(336, 16, 65, 25);
  connect(agree, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
}

void TForm4::BitBtn1Click() {
  m_width->interpretText();
  m_height->interpretText();
  accept();
}

// Each time it opens the typing starts in «Ширина», its number selected.
void TForm4::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  m_width->setFocus(Qt::OtherFocusReason);
  m_width->selectAll();
}

int TForm4::ChosenWidth() const { return m_width->value(); }

void TForm4::SetChosenSize(int width, int height) {
  m_width->setValue(width);
  m_height->setValue(height);
}
int TForm4::ChosenHeight() const { return m_height->value(); }

}  // namespace solvar::dialogs
