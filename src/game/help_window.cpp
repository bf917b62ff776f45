#include "game/help_window.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/style.h"

// The pages live in this library's resources, which a static library must
// register itself.
static void InitHelpResources() { Q_INIT_RESOURCE(help); }

namespace solvar::game {

HelpBrowser::HelpBrowser(QWidget* parent) : QTextBrowser(parent) {
  setObjectName(QStringLiteral("HelpBrowser"));
  setOpenLinks(true);
  setOpenExternalLinks(false);
  setSearchPaths({QStringLiteral(":/help")});
}

QVariant HelpBrowser::loadResource(int type, const QUrl& name) {
  if (type == QTextDocument::ImageResource && name.scheme() == QStringLiteral("picture")) {
    return HelpPicture(name.path());
  }
  return QTextBrowser::loadResource(type, name);
}

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent), m_browser(new HelpBrowser(this)) {
  InitHelpResources();
  dialogs::SetUpDialog(this, QStringLiteral("HelpWindow"), QStringLiteral("Справка"));
  setWindowFlags(Qt::Window | Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint);
  setModal(false);
  auto* contents = new QPushButton(QStringLiteral("Содержание"), this);
  contents->setObjectName(QStringLiteral("HelpContents"));
  auto* back = new QPushButton(QStringLiteral("Назад"), this);
  back->setObjectName(QStringLiteral("HelpBack"));
  auto* close = new QPushButton(QStringLiteral("Закрыть"), this);
  close->setObjectName(QStringLiteral("HelpClose"));
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(contents);
  buttons->addWidget(back);
  buttons->addStretch(1);
  buttons->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(buttons);
  layout->addWidget(m_browser, 1);
  connect(contents, &QPushButton::clicked, this, [this] { ShowPage(); });
  connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
  connect(m_browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
  connect(close, &QPushButton::clicked, this, &QDialog::close);
  back->setEnabled(false);
  resize(640, 560);
}

void HelpWindow::ShowPage(const QString& page) {
  m_browser->setSource(QUrl(page));
  show();
  raise();
  activateWindow();
}

}  // namespace solvar::game
