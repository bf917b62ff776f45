#include "dialogs/waiting_dialog.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTimer>

#include "dialogs/style.h"

namespace solvar::dialogs {

namespace {

QLabel* BlueLabel(QWidget* parent, const char* name, const QString& text, int x, int y) {
  QLabel* label = PlacedLabel(parent, text, ArialFont(13), Blue, x, y);
  label->setObjectName(QString::fromLatin1(name));
  label->resize(150, 18);
  return label;
}

}  // namespace

TForm2::TForm2(std::function<QString()> localAddress, QWidget* parent)
    : QDialog(parent), m_localAddress(std::move(localAddress)) {
  setObjectName(QStringLiteral("TForm2"));
  setWindowTitle(QStringLiteral("Ждите подключения...."));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  setFixedSize(398, 96);
  SetBackground(this, 0xFFF0F8FF);
  BlueLabel(this, "Label1", QStringLiteral("Ваш IP:"), 12, 12)->resize(60, 18);
  m_address = BlueLabel(this, "Label2", QString(), 80, 12);
  BlueLabel(this, "Label3", QStringLiteral("Время:"), 12, 38)->resize(60, 18);
  m_seconds = BlueLabel(this, "Label4", QStringLiteral("0"), 80, 38);
  BlueLabel(this, "Label5", QStringLiteral("Порт:"), 12, 64)->resize(60, 18);
  m_port = BlueLabel(this, "Label6", QStringLiteral("3333"), 80, 64);
  auto* cancel = new QPushButton(QApplication::style()->standardIcon(QStyle::SP_DialogCancelButton),
                                 QStringLiteral("Отмена"), this);
  cancel->setObjectName(QStringLiteral("BitBtn1"));
  cancel->setGeometry(296, 34, 90, 28);
  connect(cancel, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
  m_timer = new QTimer(this);
  m_timer->setObjectName(QStringLiteral("Timer1"));
  m_timer->setInterval(1000);
  connect(m_timer, &QTimer::timeout, this, [this] { Timer1Timer(); });
  m_timer->start();
}

void TForm2::SetPort(quint16 port) { m_port->setText(QString::number(port)); }

void TForm2::BitBtn1Click() { reject(); }

// Every way of closing the dialog but the accepted client ends in reject().
void TForm2::reject() {
  if (onCancel) onCancel();
  QDialog::reject();
}

void TForm2::FormActivate() {
  m_address->setText(m_localAddress());
  m_seconds->setText(QStringLiteral("0"));
}

void TForm2::Timer1Timer() { m_seconds->setText(QString::number(m_seconds->text().toInt() + 1)); }

void TForm2::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormActivate();
}

void TForm2::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
}

}  // namespace solvar::dialogs
