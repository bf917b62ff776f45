// «Настройки» → «Уровень компьютера» → «Другая программа…»: another dots
// program as the computer, through the dots engines' common protocol. Its
// command line is kept in the program's settings for the next run; a
// program that fails ends the game with a box that says how, and nothing
// else is lost.

#include <QAction>
#include <QSettings>

#include "game/main_window.h"
#include "game/process_engine_link.h"

namespace solvar::game {

namespace {

const QString CommandLineKey = QStringLiteral("engine/commandLine");

}  // namespace

std::unique_ptr<QSettings> TForm1::ProgramSettings() const {
  if (!m_options.SettingsFile.isEmpty()) return std::make_unique<QSettings>(m_options.SettingsFile, QSettings::IniFormat);
  return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("solvar"),
                                     QStringLiteral("solvar"));
}

void TForm1::CreateOtherProgram() {
  m_engineLink = new ProcessEngineLink(this);
  m_engineLink->SetCommandLine(ProgramSettings()->value(CommandLineKey).toString());
  m_enginePlayer = std::make_unique<match::PointsEnginePlayer>(*m_engineLink, m_options.StrongMoveTimeMs,
                                                               m_options.EngineGraceMs);
  // The game is ended once the player's step that heard of the failure is
  // over, never inside the match's own step.
  m_enginePlayer->onFailure = [this](const std::string& why) {
    const QString text = QString::fromStdString(why);
    QMetaObject::invokeMethod(this, [this, text] { Guarded([&] { EndGameOnOtherProgram(text); }); },
                              Qt::QueuedConnection);
  };
}

void TForm1::EndGameOnOtherProgram(const QString& why) {
  if (!m_match->InProgress()) return;
  Log(QStringLiteral("ERROR->> ") + why);
  m_match->End();
  m_prompts.Message(MessageKind::Warning, why + QStringLiteral("\nПартия прервана."), MessageButtons::Ok);
}

// Asks for the command line, with the last one kept; cancelling, or an
// empty line, keeps the level as it was.
void TForm1::N39Click() {
  const auto line = m_prompts.InputText(QStringLiteral("Другая программа"),
                                        QStringLiteral("Командная строка программы (протокол точек, версия 6):"),
                                        m_engineLink->CommandLine());
  if (!line || line->trimmed().isEmpty()) {
    CheckLevel(m_settings.Level);
    return;
  }
  m_engineLink->SetCommandLine(line->trimmed());
  ProgramSettings()->setValue(CommandLineKey, line->trimmed());
  ChooseLevel(ComputerLevel::OtherProgram);
  CheckLevel(ComputerLevel::OtherProgram);
}

void TForm1::CheckLevel(ComputerLevel level) {
  m_levelStandard->setChecked(level == ComputerLevel::Standard);
  m_levelStrong->setChecked(level == ComputerLevel::Strong);
  m_levelOther->setChecked(level == ComputerLevel::OtherProgram);
}

match::Player& TForm1::ComputerOfNextGame() {
  switch (m_settings.Level) {
    case ComputerLevel::Strong: return *m_strongComputer;
    case ComputerLevel::OtherProgram: return *m_enginePlayer;
    case ComputerLevel::Standard: break;
  }
  return m_computer;
}

}  // namespace solvar::game
