#include "dialogs/about_dialog.h"

#include <QFile>
#include <QMouseEvent>

#include "dialogs/jpeg_picture.h"
#include "dialogs/style.h"
#include "solvar/version.h"

// The banner lives in this library's resources, which a static library must
// register itself.
static void InitDialogResources() { Q_INIT_RESOURCE(dialogs); }

namespace solvar::dialogs {

namespace {

constexpr QRgb Purple = 0xFF800080;
constexpr QRgb Red = 0xFFFF0000;
constexpr QRgb LinkBlue = 0xFF0000FF;
constexpr int PageTop = 104;

QFont TimesFont(int pixelSize) {
  QFont font(QStringLiteral("Times New Roman"));
  font.setPixelSize(pixelSize);
  return font;
}

QLabel* Caption(QWidget* page, const QString& text, int pixelSize, int x, int y) {
  return PlacedLabel(page, text, TimesFont(pixelSize), White, x, y);
}

QLabel* Value(QWidget* page, const QString& text, int x, int y) {
  return PlacedLabel(page, text, ArialFont(11), LinkBlue, x, y);
}

QWidget* Page(QWidget* parent, const char* name) {
  auto* page = new QWidget(parent);
  page->setObjectName(QString::fromLatin1(name));
  page->setGeometry(0, PageTop, 281, 169);
  SetBackground(page, Aqua);
  return page;
}

}  // namespace

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && onClick) onClick();
}

HoverLabel::HoverLabel(const QString& text, QRgb hover, QRgb rest, QWidget* parent)
    : ClickLabel(text, parent), m_hover(hover), m_rest(rest) {
  setAlignment(Qt::AlignCenter);
  setFont(ArialFont(13, false, true));
  setCursor(Qt::PointingHandCursor);
  Paint(m_rest);
}

void HoverLabel::Paint(QRgb background) {
  setStyleSheet(QStringLiteral("color: #ffff00; background: %1;").arg(QColor(background).name()));
}

void HoverLabel::enterEvent(QEnterEvent*) { Paint(m_hover); }
void HoverLabel::leaveEvent(QEvent*) { Paint(m_rest); }
// A click that closes the window leaves no leave event behind.
void HoverLabel::hideEvent(QHideEvent*) { Paint(m_rest); }

QByteArray TAboutFrm::DefaultBanner() {
  InitDialogResources();
  QFile file(QStringLiteral(":/solvar/banner.jpg"));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TAboutFrm::TAboutFrm(std::function<void(const QString&)> openAddress, QWidget* parent, const QByteArray& banner)
    : QDialog(parent), m_openAddress(std::move(openAddress)) {
  SetUpDialog(this, QStringLiteral("TAboutFrm"), QStringLiteral("Информация"));
  setFixedSize(280, 358);
  SetBackground(this, Aqua);

  auto* image = new ClickLabel(this);
  image->setObjectName(QStringLiteral("Image1"));
  image->setCursor(Qt::PointingHandCursor);
  image->setToolTip(AboutAddresses::WebPage());
  const QImage picture = DecodeJpeg(banner);
  if (!picture.isNull()) image->setPixmap(QPixmap::fromImage(picture));
  image->setGeometry(0, 0, picture.isNull() ? 275 : picture.width(), picture.isNull() ? 106 : picture.height());
  image->onClick = [this] { m_openAddress(AboutAddresses::WebPage()); };

  m_panel1 = BuildAboutPage();
  m_panel2 = BuildFeedbackPage();

  auto* about = new HoverLabel(QStringLiteral("О программе"), Purple, LinkBlue, this);
  about->setObjectName(QStringLiteral("Label1"));
  about->setGeometry(0, 280, 289, 17);
  about->onClick = [this] { ShowAboutPage(); };
  auto* feedback = new HoverLabel(QStringLiteral("Обратная связь"), Purple, LinkBlue, this);
  feedback->setObjectName(QStringLiteral("Label2"));
  feedback->setGeometry(0, 304, 289, 17);
  feedback->onClick = [this] { ShowFeedbackPage(); };
  auto* close = new HoverLabel(QStringLiteral("Закрыть"), Red, LinkBlue, this);
  close->setObjectName(QStringLiteral("Label3"));
  close->setGeometry(0, 328, 289, 17);
  close->onClick = [this] { reject(); };
  ShowAboutPage();
}

QWidget* TAboutFrm::BuildAboutPage() {
  QWidget* page = Page(this, "Panel1");
  const std::pair<QString, QString> rows[] = {
      {QStringLiteral("Программа:"), QStringLiteral("\"Сольвар\"")},
      {QStringLiteral("Версия:"), QString::fromLatin1(ProgramVersion)},
      {QStringLiteral("Главный разработчик:"), QStringLiteral("Артём Лавров")},
      {QStringLiteral("Дата создания:"), QStringLiteral("14.03.2026")},
      {QStringLiteral("Последние обновление:"), QStringLiteral("08.12.2026")},
      {QStringLiteral("От автора:"), QStringLiteral("Окружай с умом!")},
  };
  int y = 8;
  for (const auto& [caption, value] : rows) {
    Caption(page, caption, 16, 8, y);
    Value(page, value, 182, y + 4);
    y += 26;
  }
  return page;
}

QLabel* TAboutFrm::Link(QWidget* page, const char* name, const QString& address, int y) {
  QString shown = address;
  shown.remove(QStringLiteral("mailto:"));
  auto* link = new ClickLabel(shown, page);
  link->setObjectName(QString::fromLatin1(name));
  link->setCursor(Qt::PointingHandCursor);
  link->setStyleSheet(QStringLiteral("color: #0000ff; text-decoration: underline;"));
  link->setFont(ArialFont(11));
  link->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  link->setGeometry(8, y, 265, 16);
  link->onClick = [this, address] { m_openAddress(address); };
  return link;
}

QWidget* TAboutFrm::BuildFeedbackPage() {
  QWidget* page = Page(this, "Panel2");
  Caption(page, QStringLiteral("Сайт программы:"), 15, 8, 4);
  Link(page, "Label15", AboutAddresses::WebPage(), 24);
  Caption(page, QStringLiteral("Написать автору:"), 15, 8, 44);
  Link(page, "Label17", AboutAddresses::Mail(), 64);
  Caption(page, QStringLiteral("Вам понравилась программа???"), 15, 8, 88);
  Caption(page, QStringLiteral("Вы поддержать проэкт по адресу"), 15, 8, 108);
  Link(page, "Label22", AboutAddresses::SupportPage(), 130);
  return page;
}

void TAboutFrm::ShowAboutPage() {
  m_panel2->hide();
  m_panel1->show();
}

void TAboutFrm::ShowFeedbackPage() {
  m_panel1->hide();
  m_panel2->show();
}

}  // namespace solvar::dialogs
