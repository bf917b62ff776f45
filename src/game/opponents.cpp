#include "game/opponents.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QWidget>

#include "game/process_engine_link.h"
#include "game/settings_store.h"
#include "game/status_panels.h"
#include "game/window_boxes.h"

namespace solvar::game {

namespace {

QString FromUtf8(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QString TurnPrefix() { return QStringLiteral("Ходит: "); }

}  // namespace

Opponents::Opponents(QWidget& window, match::Match& match, Settings& settings, SettingsStore& store,
                     const Options& options, WindowBoxes& boxes, StatusPanels& status, LogLine log)
    : m_window(window),
      m_match(match),
      m_settings(settings),
      m_store(store),
      m_options(options),
      m_boxes(boxes),
      m_status(status),
      m_log(std::move(log)),
      m_engineLink(new ProcessEngineLink(&window)),
      m_countdown(new QTimer(&window)) {
  m_strong = std::make_unique<match::StrongComputerPlayer>(PostToWindow(), StrongLimits());
  m_selfPlaySearch = std::make_unique<match::BackgroundSearch>(PostToWindow());
  m_engineLink->SetCommandLine(settings.EngineCommandLine);
  m_otherProgram =
      std::make_unique<match::PointsEnginePlayer>(*m_engineLink, m_options.StrongMoveTimeMs, m_options.EngineGraceMs);
  // The game is ended once the player's step that heard of the failure is
  // over, never inside the match's own step.
  m_otherProgram->onFailure = [this](const std::string& why) {
    const QString text = QString::fromStdString(why);
    QMetaObject::invokeMethod(&m_window, [this, text] { m_boxes.Guarded([&] { EndGameOnOtherProgram(text); }); },
                              Qt::QueuedConnection);
  };
  m_countdown->setInterval(100);
  QObject::connect(m_countdown, &QTimer::timeout, &window, [this] { ShowCountdown(); });
}

Opponents::~Opponents() = default;

QAction* Opponents::AddChoice(QMenu& menu, const char* name, const QString& caption, const std::function<void()>& choose) {
  QAction* action = menu.addAction(caption);
  action->setObjectName(QString::fromLatin1(name));
  QObject::connect(action, &QAction::triggered, &m_window, [this, choose] { m_boxes.Guarded(choose); });
  return action;
}

// «Уровень компьютера» with «Обычный» (checked at start), «Сильный» and
// «Другая программа…»; «Правила» with «Классические» (checked at start) and
// «Спортивные».
QMenu& Opponents::AddMenu(QMenuBar& bar) {
  QMenu* settings = bar.addMenu(QStringLiteral("&Настройки"));
  settings->menuAction()->setObjectName(QStringLiteral("N26"));
  QMenu* level = settings->addMenu(QStringLiteral("&Уровень компьютера"));
  level->menuAction()->setObjectName(QStringLiteral("N27"));
  auto* levels = new QActionGroup(&m_window);
  m_levelStandard = AddChoice(*level, "N28", QStringLiteral("&Обычный"), [this] { ChooseLevel(ComputerLevel::Standard); });
  m_levelStrong = AddChoice(*level, "N29", QStringLiteral("&Сильный"), [this] { ChooseLevel(ComputerLevel::Strong); });
  m_levelOther = AddChoice(*level, "N39", QStringLiteral("&Другая программа…"), [this] { ChooseOtherProgram(); });
  for (QAction* action : {m_levelStandard, m_levelStrong, m_levelOther}) {
    action->setCheckable(true);
    levels->addAction(action);
  }
  CheckLevel(m_settings.Level);
  QMenu* rules = settings->addMenu(QStringLiteral("&Правила"));
  rules->menuAction()->setObjectName(QStringLiteral("N32"));
  auto* ruleSets = new QActionGroup(&m_window);
  QAction* classic = AddChoice(*rules, "N33", QStringLiteral("&Классические"), [this] { ChooseRules(engine::Rules::Classic); });
  QAction* sport = AddChoice(*rules, "N34", QStringLiteral("&Спортивные"), [this] { ChooseRules(engine::Rules::Sport); });
  for (QAction* action : {classic, sport}) {
    action->setCheckable(true);
    ruleSets->addAction(action);
  }
  classic->setChecked(m_settings.Rules == engine::Rules::Classic);
  sport->setChecked(m_settings.Rules == engine::Rules::Sport);
  return *settings;
}

void Opponents::AddTwoPeopleCommand(QMenu& menu) {
  AddChoice(menu, "N37", QStringLiteral("&Игра вдвоём"), [this] { StartTwoPeople(); });
}

void Opponents::StartAgainstComputer() {
  if (m_match.InProgress() && !m_boxes.Ask().Message(MessageKind::Warning, QStringLiteral("Вы хотите прервать игру?"),
                                                     MessageButtons::YesNo)) {
    return;
  }
  m_match.StartAgainstComputer(ComputerOfNextGame(), m_settings.Rules);
}

// Two people at this window, side 1 in the colour of «ваши точки», side 2
// in that of the computer's; their names are asked first.
void Opponents::StartTwoPeople() {
  if (m_match.InProgress() && !m_boxes.Ask().Message(MessageKind::Warning, QStringLiteral("Вы хотите прервать игру?"),
                                                     MessageButtons::YesNo)) {
    return;
  }
  if (!AskTwoNames()) return;
  m_match.StartTwoPlayers(m_secondPerson, m_settings.Rules);
}

bool Opponents::AskTwoNames() {
  const QString title = QStringLiteral("Игра вдвоём");
  const auto first = m_boxes.Ask().InputText(title, QStringLiteral("Имя первого игрока:"), QStringLiteral("Игрок 1"));
  if (!first) return false;
  const auto second = m_boxes.Ask().InputText(title, QStringLiteral("Имя второго игрока:"), QStringLiteral("Игрок 2"));
  if (!second) return false;
  const auto nameOr = [](const QString& name, const char* otherwise) {
    return name.trimmed().isEmpty() ? std::string(otherwise) : name.trimmed().toStdString();
  };
  m_match.SetPlayerName(nameOr(*first, "Игрок 1"));
  m_secondPerson.SetName(nameOr(*second, "Игрок 2"));
  return true;
}

match::Player& Opponents::ComputerOfNextGame() {
  switch (m_settings.Level) {
    case ComputerLevel::Strong: return *m_strong;
    case ComputerLevel::OtherProgram: return *m_otherProgram;
    case ComputerLevel::Standard: break;
  }
  return m_standard;
}

void Opponents::AnnounceFirstMove(engine::Side side) {
  if (m_match.IsTwoPlayers()) {
    const match::GameRecord record = m_match.Record();
    const std::string& name = side == engine::Side::Own ? record.Player1 : record.Player2;
    return m_boxes.Ask().Inform(QStringLiteral("Первым ходит %1!").arg(FromUtf8(name)));
  }
  m_boxes.Ask().Inform(side == engine::Side::Own ? QStringLiteral("Ваш ход первый! Ходите")
                                                 : QStringLiteral("Первый ход компьютера!"));
}

// In a game of two people the status bar says whose turn it is, and no
// longer once the game is over.
void Opponents::TurnChanged(match::Turn turn) {
  if (!m_match.IsTwoPlayers()) return;
  if (!m_match.InProgress() || turn == match::Turn::Nobody) {
    if (m_status.Credit().startsWith(TurnPrefix())) m_status.ResetCredit();
    return;
  }
  const match::GameRecord record = m_match.Record();
  const std::string& name = turn == match::Turn::Opponent ? record.Player2 : record.Player1;
  m_status.SetCredit(TurnPrefix() + FromUtf8(name));
}

void Opponents::Thinking(bool thinking, int moveTimeMs) {
  m_thinkingBudgetMs = moveTimeMs;
  if (thinking) {
    m_thinkingClock.start();
    m_countdown->start();
    ShowCountdown();
  } else {
    m_countdown->stop();
    m_status.ClearSaying();
  }
}

void Opponents::StopCountdown() { m_countdown->stop(); }

// «Компьютер думает... 0,7 с»: the time it has left.
void Opponents::ShowCountdown() {
  const auto left = static_cast<double>(std::max<qint64>(0, m_thinkingBudgetMs - m_thinkingClock.elapsed())) / 1000.0;
  m_status.Say(QStringLiteral("Компьютер думает... %1 с").arg(QString::number(left, 'f', 1).replace(QLatin1Char('.'),
                                                                                                     QLatin1Char(','))));
}

// A choice made during a game says when it takes effect.
void Opponents::ChooseLevel(ComputerLevel level) {
  const bool changed = level != m_settings.Level;
  m_settings.Level = level;
  m_store.SaveLevel(level);
  if (changed && m_match.InProgress()) m_status.Say(QStringLiteral("Уровень изменится со следующей партии"));
}

void Opponents::ChooseRules(engine::Rules rules) {
  const bool changed = rules != m_settings.Rules;
  m_settings.Rules = rules;
  m_store.SaveRules(rules);
  if (changed && m_match.InProgress()) m_status.Say(QStringLiteral("Правила изменятся со следующей партии"));
}

// Asks for the command line, with the last one kept; cancelling, or an
// empty line, keeps the level as it was.
void Opponents::ChooseOtherProgram() {
  const auto line = m_boxes.Ask().InputText(QStringLiteral("Другая программа"),
                                            QStringLiteral("Командная строка программы (протокол точек, версия 6):"),
                                            m_engineLink->CommandLine());
  if (!line || line->trimmed().isEmpty()) {
    CheckLevel(m_settings.Level);
    return;
  }
  m_engineLink->SetCommandLine(line->trimmed());
  m_settings.EngineCommandLine = line->trimmed();
  m_store.SaveEngineCommandLine(line->trimmed());
  ChooseLevel(ComputerLevel::OtherProgram);
  CheckLevel(ComputerLevel::OtherProgram);
}

void Opponents::CheckLevel(ComputerLevel level) {
  m_levelStandard->setChecked(level == ComputerLevel::Standard);
  m_levelStrong->setChecked(level == ComputerLevel::Strong);
  m_levelOther->setChecked(level == ComputerLevel::OtherProgram);
}

void Opponents::EndGameOnOtherProgram(const QString& why) {
  if (!m_match.InProgress()) return;
  m_log(QStringLiteral("ERROR->> ") + why);
  m_match.End();
  m_boxes.Ask().Message(MessageKind::Warning, why + QStringLiteral("\nПартия прервана."), MessageButtons::Ok);
}

ai::SearchLimits Opponents::StrongLimits() const {
  ai::SearchLimits limits;
  limits.MoveTimeMs = m_options.StrongMoveTimeMs;
  limits.Rules = m_match.Rules();
  return limits;
}

// A task from a search's thread runs on the window's thread, inside the
// guard; it is dropped when the window is gone.
match::Post Opponents::PostToWindow() {
  return [this](std::function<void()> task) {
    QMetaObject::invokeMethod(&m_window, [this, task = std::move(task)] { m_boxes.Guarded(task); },
                              Qt::QueuedConnection);
  };
}

// Side 1's standard move on the tick, then side 2's search; the ticks wait
// for it.
bool Opponents::SelfPlayRoundAgainstStrong() {
  if (m_selfPlaySearch->IsBusy()) return true;
  engine::Side mover = engine::Side::Own;
  if (m_match.SelfPlay(mover, 1) < 1 || m_match.Count()) return false;
  m_selfPlaySearch->Start(m_match.Board(), engine::Side::Rival, StrongLimits(), m_match.RandomSource().NextSeed(),
                          [this](std::optional<engine::Node> node) {
                            if (!node || !m_match.IsFreeNode(*node)) return;
                            engine::Side rival = engine::Side::Rival;
                            m_match.SelfPlay(rival, 1, m_match.StandardChoice(), [node](engine::Side) { return node; });
                          });
  return true;
}

void Opponents::StopAll() {
  m_selfPlaySearch->Stop();
  m_strong->OnGameEnd();
  m_otherProgram->OnGameEnd();
}

}  // namespace solvar::game
