#include "game/records_keeper.h"

#include <QDir>
#include <QFileInfo>

#include "dialogs/records_dialog.h"
#include "game/records_location.h"
#include "game/window_boxes.h"
#include "records/records_file.h"
#include "text/program_error.h"

namespace solvar::game {

RecordsKeeper::RecordsKeeper(QWidget& window, WindowBoxes& boxes, QString file)
    : m_boxes(boxes), m_file(file.isEmpty() ? RecordsFilePath() : std::move(file)), m_window(new dialogs::TForm6(&window)) {}

void RecordsKeeper::Load() {
  const QString name = QFileInfo(m_file).fileName();
  std::string keptCopy;
  try {
    records::LoadRecords(m_table, m_file.toStdString(), &keptCopy);
  } catch (const text::ConversionError& error) {
    const QString kept = keptCopy.empty() ? QStringLiteral("Файл рекордов %1 повреждён.").arg(name)
                                          : QStringLiteral("Файл рекордов %1 повреждён; он сохранён как %2.")
                                                .arg(name, QFileInfo(QString::fromStdString(keptCopy)).fileName());
    m_boxes.ReportError(QString::fromUtf8(error.what()) + QLatin1Char('\n') + kept);
  } catch (const std::exception& error) {
    m_boxes.ReportError(QString::fromUtf8(error.what()) + QLatin1Char('\n') +
                        QStringLiteral("Рекорды из файла %1 не прочитаны.").arg(name));
  }
}

void RecordsKeeper::Save() {
  try {
    QDir().mkpath(QFileInfo(m_file).absolutePath());
    records::SaveRecords(m_table, m_file.toStdString());
  } catch (const std::exception& error) {
    m_boxes.ReportError(QString::fromUtf8(error.what()) + QLatin1Char('\n') +
                        QStringLiteral("Рекорды не сохранены в файл %1.").arg(QFileInfo(m_file).fileName()));
  }
}

void RecordsKeeper::ShowTable() {
  m_window->Fill(m_table);
  m_window->exec();
}

void RecordsKeeper::AskWinnerName(std::string_view initial, std::function<void(std::optional<std::string>)> answer) {
  m_boxes.Show([this, initial = QString::fromUtf8(initial.data(), static_cast<qsizetype>(initial.size())),
                answer = std::move(answer)] {
    const auto name = m_boxes.Ask().InputText(QStringLiteral("Победа!!!"), QStringLiteral("Введите ваше имя:"), initial);
    answer(name ? std::optional<std::string>(name->toStdString()) : std::nullopt);
  });
}

void RecordsKeeper::RecordEntered() {
  Save();
  m_boxes.Show([this] { ShowTable(); });
}

}  // namespace solvar::game
