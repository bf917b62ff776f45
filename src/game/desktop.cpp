#include "game/desktop.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

#include "game/prompts.h"

namespace solvar::game {

bool QtDesktop::OpenAddress(const QString& address) {
  const QUrl url = QUrl::fromUserInput(address);
  return QDesktopServices::openUrl(url);
}

void OpenHelpTopic(Desktop& desktop, Prompts& prompts, const QString& helpFile, int topic) {
  const QFileInfo file(helpFile);
  if (!file.exists()) {
    prompts.Inform(QStringLiteral("Файл справки \"%1\" не найден.").arg(helpFile));
    return;
  }
  QUrl url = QUrl::fromLocalFile(file.absoluteFilePath());
  url.setFragment(QString::number(topic));
  if (!desktop.OpenAddress(url.toString())) {
    prompts.Inform(QStringLiteral("Не удалось открыть справку \"%1\" (раздел %2): на этом компьютере нет "
                                  "программы для её просмотра.")
                       .arg(helpFile)
                       .arg(topic));
  }
}

}  // namespace solvar::game
