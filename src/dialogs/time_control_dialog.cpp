#include "dialogs/time_control_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "dialogs/style.h"

namespace solvar::dialogs {

namespace {

QSpinBox* Spin(QWidget* parent, const char* name, int most, const QString& suffix) {
  auto* spin = new QSpinBox(parent);
  spin->setObjectName(QString::fromLatin1(name));
  spin->setRange(0, most);
  spin->setSuffix(suffix);
  return spin;
}

}  // namespace

TimeControlDialog::TimeControlDialog(QWidget* parent) : QDialog(parent) {
  SetUpDialog(this, QStringLiteral("TimeControlDialog"), QStringLiteral("Контроль времени"));
  SetBackground(this, White);
  setFont(ArialFont(13));
  m_minutes = Spin(this, "MainMinutes", 180, QStringLiteral(" мин"));
  m_seconds = Spin(this, "MainSeconds", 59, QStringLiteral(" с"));
  m_move = Spin(this, "MoveSeconds", 600, QStringLiteral(" с"));
  m_added = new QRadioButton(QStringLiteral("добавляются к основному после хода"), this);
  m_added->setObjectName(QStringLiteral("SecondsAdded"));
  m_free = new QRadioButton(QStringLiteral("даются на каждый ход до основного"), this);
  m_free->setObjectName(QStringLiteral("SecondsFree"));
  m_agree = new QPushButton(QStringLiteral("Согласен"), this);
  m_agree->setObjectName(QStringLiteral("Agree"));
  m_agree->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("Отмена"), this);
  cancel->setObjectName(QStringLiteral("Cancel"));

  auto* grid = new QGridLayout;
  const auto label = [this](const QString& text) {
    auto* shown = new QLabel(text, this);
    SetTextColor(shown, Blue);
    return shown;
  };
  grid->addWidget(label(QStringLiteral("Основное время:")), 0, 0);
  grid->addWidget(m_minutes, 0, 1);
  grid->addWidget(m_seconds, 0, 2);
  grid->addWidget(label(QStringLiteral("Секунды хода:")), 1, 0);
  grid->addWidget(m_move, 1, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(m_agree);
  buttons->addWidget(cancel);
  auto* column = new QVBoxLayout(this);
  column->addLayout(grid);
  column->addWidget(m_added);
  column->addWidget(m_free);
  column->addLayout(buttons);
  setFixedSize(sizeHint().expandedTo(QSize(TitleWidth(windowTitle()), 0)));

  for (QSpinBox* spin : {m_minutes, m_seconds, m_move}) {
    connect(spin, &QSpinBox::valueChanged, this, [this] { CheckValues(); });
  }
  connect(m_added, &QRadioButton::toggled, this, [this] { CheckValues(); });
  connect(m_agree, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  SetControl(60, 10, false);
}

void TimeControlDialog::SetControl(int mainSeconds, int moveSeconds, bool freeWithinMove) {
  m_minutes->setValue(mainSeconds / 60);
  m_seconds->setValue(mainSeconds % 60);
  m_move->setValue(moveSeconds);
  (freeWithinMove ? m_free : m_added)->setChecked(true);
  CheckValues();
}

int TimeControlDialog::MainSeconds() const { return m_minutes->value() * 60 + m_seconds->value(); }
int TimeControlDialog::MoveSeconds() const { return m_move->value(); }
bool TimeControlDialog::FreeWithinMove() const { return m_free->isChecked(); }

// No main time is a control only when each move brings seconds of its own.
void TimeControlDialog::CheckValues() {
  m_agree->setEnabled(MainSeconds() > 0 || (FreeWithinMove() && MoveSeconds() > 0));
}

}  // namespace solvar::dialogs
