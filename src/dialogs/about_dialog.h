#pragma once
// TAboutFrm, "Информация": the about page and the feedback page with its
// links, which are handed to the desktop.

#include <QDialog>
#include <QLabel>

#include <functional>

namespace solvar::dialogs {

struct AboutAddresses {
  static QString WebPage() { return QStringLiteral("http://solvar.example.org"); }
  static QString Mail() { return QStringLiteral("mailto:support@solvar.example.org"); }
  static QString SupportPage() { return QStringLiteral("http://solvar.example.org/Information.cgi?type=support"); }
};

// A label that reports clicks: the banner and the links.
class ClickLabel : public QLabel {
  Q_OBJECT
 public:
  using QLabel::QLabel;
  std::function<void()> onClick;

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};

// A page switch: its background changes while the mouse is over it, and
// starts afresh whenever the window is shown again.
class HoverLabel : public ClickLabel {
  Q_OBJECT
 public:
  HoverLabel(const QString& text, QRgb hover, QRgb rest, QWidget* parent);

 protected:
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void Paint(QRgb background);
  QRgb m_hover;
  QRgb m_rest;
};

class TAboutFrm : public QDialog {
  Q_OBJECT
 public:
  // openAddress receives every link clicked; its result is not examined.
  TAboutFrm(std::function<void(const QString&)> openAddress, QWidget* parent = nullptr,
            const QByteArray& banner = DefaultBanner());

  void ShowAboutPage();     // "О программе"
  void ShowFeedbackPage();  // "Обратная связь"
  static QByteArray DefaultBanner();

 private:
  QWidget* BuildAboutPage();
  QWidget* BuildFeedbackPage();
  QLabel* Link(QWidget* page, const char* name, const QString& address, int y);

  std::function<void(const QString&)> m_openAddress;
  QWidget* m_panel1;
  QWidget* m_panel2;
};

}  // namespace solvar::dialogs
