#pragma once
// TForm2, "Ждите подключения....": shown while the host waits for its
// opponent, with this machine's address, the seconds spent waiting and the
// port.

#include <QDialog>

#include <functional>

class QLabel;
class QTimer;

namespace solvar::dialogs {

class TForm2 : public QDialog {
  Q_OBJECT
 public:
  TForm2(std::function<QString()> localAddress, QWidget* parent = nullptr);
  void SetPort(quint16 port);
  // "Отмена", Esc and the title bar's close button: runs the cancel action,
  // then closes.
  std::function<void()> onCancel;
  void BitBtn1Click();
  void reject() override;
  void FormActivate();
  void Timer1Timer();

 protected:
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  std::function<QString()> m_localAddress;
  QLabel* m_address;
  QLabel* m_seconds;
  QLabel* m_port;
  QTimer* m_timer;
};

}  // namespace solvar::dialogs
