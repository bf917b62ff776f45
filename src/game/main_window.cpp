#include "game/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolButton>

#include "dialogs/about_dialog.h"
#include "dialogs/field_size_dialog.h"
#include "dialogs/network_options_dialog.h"
#include "dialogs/style.h"
#include "game/field_view.h"
#include "game/game_layout.h"
#include "game/game_log.h"
#include "game/analysis_graph.h"
#include "game/game_review.h"
#include "game/move_list.h"
#include "game/help_window.h"
#include "game/hidden_tools.h"
#include "game/opponents.h"
#include "game/score_panel.h"
#include "game/take_back_and_hints.h"
#include "game/game_sounds.h"
#include "game/opening_choices.h"
#include "game/qt_sound_player.h"
#include "game/time_controls.h"
#include "dialogs/time_control_dialog.h"
#include "game/window_events.h"
#include "net/connection.h"
#include "render/field_painter.h"

namespace solvar::game {

namespace {

constexpr int InitialWidth = 683;
constexpr int InitialLogHeight = 137;

// What the status bar says on a start, until the first game: how to begin.
QString StartHint() { return QStringLiteral("Игра → Начать новую"); }
QString StartHintWhole() { return QStringLiteral("Игра → Начать новую (Ctrl+N)"); }

QString Greeting() {
  return QStringLiteral("************** Вас приветствует игра \"Сольвар\" ***********");
}

QIcon StandardIcon(QStyle::StandardPixmap pixmap) { return QApplication::style()->standardIcon(pixmap); }

// The icons of the «Вид» items, drawn in the field's own colours: a dot of
// each side, the background and the grid.
QIcon DrawnIcon(const std::function<void(QPainter&)>& draw) {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  draw(painter);
  return QIcon(pixmap);
}

QIcon DotIcon(render::Color color) {
  return DrawnIcon([color](QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::black);
    painter.setBrush(QColor(render::ToRgb(color)));
    painter.drawEllipse(QRectF(3.5, 3.5, 9, 9));
  });
}

QIcon FieldIcon(bool withGrid) {
  return DrawnIcon([withGrid](QPainter& painter) {
    painter.fillRect(1, 1, 14, 14, Qt::white);
    painter.setPen(QColor(render::ToRgb(render::FieldColors{}.GridColor)));
    if (withGrid) {
      for (int at = 1; at <= 15; at += 7) {
        painter.drawLine(at, 1, at, 15);
        painter.drawLine(1, at, 15, at);
      }
    } else {
      painter.drawRect(1, 1, 13, 13);
    }
  });
}

// The menu's image list, by index.
QIcon MenuIcon(int index) {
  switch (index) {
    case 0: return StandardIcon(QStyle::SP_DriveNetIcon);
    case 1: return StandardIcon(QStyle::SP_FileIcon);
    case 2: return StandardIcon(QStyle::SP_ComputerIcon);
    case 3: return StandardIcon(QStyle::SP_DriveNetIcon);
    case 4: return StandardIcon(QStyle::SP_FileDialogDetailedView);
    case 5: return StandardIcon(QStyle::SP_FileDialogListView);
    case 7: return DotIcon(render::FieldColors{}.OwnColor);
    case 8: return DotIcon(render::FieldColors{}.RivalColor);
    case 12: return FieldIcon(/*withGrid=*/false);
    case 13: return FieldIcon(/*withGrid=*/true);
    case 10: return StandardIcon(QStyle::SP_DialogCloseButton);
    case 11: return StandardIcon(QStyle::SP_DialogCancelButton);
    case 14: return StandardIcon(QStyle::SP_ArrowRight);
    case 15: return StandardIcon(QStyle::SP_MessageBoxInformation);
    case 16: return StandardIcon(QStyle::SP_DialogHelpButton);
    case 17: return StandardIcon(QStyle::SP_DialogYesButton);
    default: return QIcon();
  }
}

// «Прервать партию?» before a command ends the game in progress: only Да
// goes on; Нет, Esc or closing the box keeps the game. False also when the
// game ended by itself while the box was open.
bool AgreeToEndGame(Prompts& prompts, const match::Match& match) {
  return prompts.Message(MessageKind::Warning, QStringLiteral("Прервать партию?"), MessageButtons::YesNo) &&
         match.InProgress();
}

// In a game of two people the side to move gives the game up. The field
// goes, and the log and the status bar say who won.
void GiveUpGame(match::Match& match, TakeBackAndHints& takeBack, StatusPanels& status) {
  takeBack.DropHint();
  const bool secondToMove = match.IsTwoPlayers() && match.ToMove() == match::Turn::Opponent;
  const engine::Side loser = secondToMove ? engine::Side::Rival : engine::Side::Own;
  const QString winner = QString::fromStdString(match.PlayerName(engine::Opponent(loser)));
  const bool wasOn = match.InProgress();
  match.Resign(loser);
  if (!wasOn) return;
  const QString said = QStringLiteral("Партия сдана: победил %1").arg(winner);
  match.Log(said.toStdString());
  status.SetCredit(said);
}

}  // namespace

TForm1::TForm1(const AppOptions& options, Prompts& prompts, Desktop& desktop, QWidget* parent)
    : QMainWindow(parent),
      m_options(options),
      m_desktop(desktop),
      m_store(std::make_unique<SettingsStore>(options.SettingsFile)),
      m_random(options.Seed ? engine::Random(*options.Seed) : engine::Random()),
      m_boxes(std::make_unique<WindowBoxes>(prompts, this)),
      m_events(std::make_unique<WindowEvents>()),
      m_records(std::make_unique<RecordsKeeper>(*this, *m_boxes, options.RecordsFile)),
      m_match(std::make_unique<match::Match>(*m_events, m_random, m_records->Table())) {
  setObjectName(QStringLiteral("TForm1"));
  setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setFont(dialogs::ArialFont(11));
  dialogs::SetBackground(this, dialogs::White);
  m_content = new QWidget(this);
  m_content->setObjectName(QStringLiteral("Content"));
  setCentralWidget(m_content);
  m_status = std::make_unique<StatusPanels>(*statusBar());
  const auto log = [this](const QString& line) { Log(line); };
  QString settingsProblem;
  m_settings = m_store->Load(&settingsProblem);
  // A port given on the command line is the port from now on, this run's
  // and the next ones'.
  if (options.Port && *options.Port != m_settings.Port) {
    m_settings.Port = *options.Port;
    m_store->SavePort(*options.Port);
  }
  m_match->Board().SetFieldSize(m_settings.FieldWidth, m_settings.FieldHeight);

  m_field = std::make_unique<FieldPresenter>(*this, *m_content, *m_match, m_settings.Colors, *m_status,
                                             [this] { return m_match->InProgress() && !m_viewer->IsShowing(); });
  FieldView& pole = m_field->Field();
  pole.onMouseMove = GuardedHandler(&TForm1::GamePoleMouseMove);
  pole.onClick = GuardedHandler(&TForm1::GamePoleClick);
  pole.onKey = [this](const QKeyEvent& event) {
    bool taken = false;
    m_boxes->Guarded([&] { taken = m_field->KeyPressed(event, [this] { GamePoleClick(); }); });
    return taken;
  };
  m_panel1 = new ScorePanel(m_content);
  connect(m_panel1->Refresh(), &QToolButton::clicked, this, GuardedHandler(&TForm1::BitBtn4Click));
  connect(m_panel1->Surrender(), &QToolButton::clicked, this, GuardedHandler(&TForm1::BitBtn2Click));
  connect(m_panel1->PreviousMove(), &QToolButton::clicked, this, GuardedHandler(&TForm1::BitBtn3Click));
  m_memo3 = new GameLog(m_content);
  m_memo3->setObjectName(QStringLiteral("Memo3"));
  m_memo3->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  m_memo3->setFont(dialogs::ArialFont(13, /*italic=*/true));
  m_memo3->setStyleSheet(QStringLiteral("QPlainTextEdit { background: #fffbf0; color: #0000ff; }"));
  m_memo3->setFixedHeight(InitialLogHeight);
  m_memo3->setMaximumBlockCount(10000);
  m_memo3->AppendLine(Greeting());
  if (!settingsProblem.isEmpty()) m_memo3->AppendLine(settingsProblem);
  m_timer2 = new QTimer(this);
  m_timer2->setObjectName(QStringLiteral("Timer2"));
  m_timer2->setInterval(1000);
  connect(m_timer2, &QTimer::timeout, this, GuardedHandler(&TForm1::Timer2Timer));
  m_timer2->start();

  m_opponents = std::make_unique<Opponents>(*this, *m_match, m_settings, *m_store,
                                             Opponents::Options{m_options.StrongMoveTimeMs, m_options.EngineGraceMs},
                                             *m_boxes, *m_status, log);
  m_hidden = std::make_unique<HiddenTools>(*m_content, *m_match, m_settings, *m_opponents, *m_field, m_options.PositionFile);
  connect(m_hidden->ComputerAgainstComputer(), &QPushButton::clicked, this, GuardedHandler(&TForm1::Button1Click));
  connect(m_hidden->SurroundCheck(), &QPushButton::clicked, this, GuardedHandler(&TForm1::Button2Click));
  connect(m_hidden->BareGrid(), &QPushButton::clicked, this, GuardedHandler(&TForm1::Button3Click));
  connect(m_hidden->CaptureCheck(), &QPushButton::clicked, this, GuardedHandler(&TForm1::Button4Click));
  connect(m_hidden->Back(), &QPushButton::clicked, this, GuardedHandler(&TForm1::BitBtn1Click));
  m_hidden->PositionPanel()->onClick = GuardedHandler(&TForm1::Panel2Click);
  connect(m_hidden->SelfPlayTimer(), &QTimer::timeout, this, GuardedHandler(&TForm1::Timer1Timer));
  m_takeBack = std::make_unique<TakeBackAndHints>(*this, *m_match, *m_opponents, *m_field, *m_boxes, *m_panel1->TakeBack(),
                                                  m_random);
  m_viewer = std::make_unique<GameViewer>(
      *this, *m_match, *m_field, *m_panel1, *m_status, *m_boxes, m_settings.Colors,
      GameViewer::Window{[this](int width, int height) { m_layout->LayOutField(width, height); },
                         [this] { m_layout->EndLayout(); }, [this] { m_layout->UpdateTitle(); },
                         [this] { return AgreeToEndGame(m_boxes->Ask(), *m_match); },
                         [this] { GiveUpGame(*m_match, *m_takeBack, *m_status); }, [this] { return m_settings.GamesFolder; },
                         [this](const QString& folder) {
                           m_settings.GamesFolder = folder;
                           m_store->SaveGamesFolder(folder);
                         },
                         [this] { m_review->GameShown(); }, [this](int moves) { m_review->MoveShown(moves); },
                         [this] { m_review->GameLeft(); }});
  m_review = std::make_unique<GameReview>(*m_content, *m_match, *m_viewer, *m_field, *m_status, m_settings.Colors,
                                          m_settings, *m_store,
                                          GameReview::Window{[this] { m_layout->LayOutAgain(); },
                                                             [this] { return m_random.NextSeed(); }},
                                          m_options.Analysis);
  m_clocks = new TimeControls(*this, *m_match, m_settings, *m_store, *m_panel1, *m_boxes,
                              [this](const match::TimeControl& current) { return AskTimeControl(current); });
  m_openings = new OpeningChoices(*this, *m_match, m_settings, *m_store, *m_boxes);
  m_sounds = new GameSounds(this, m_settings, *m_store,
                            m_options.MakeSoundPlayer ? m_options.MakeSoundPlayer() : std::make_unique<QtSoundPlayer>(), log);
  m_clocks->onClockLow = [this] { m_sounds->ClockLow(); };
  m_layout = std::make_unique<GameLayout>(*this, *m_content, *m_memo3, *m_match, *m_field, *m_panel1, *m_status, *m_viewer,
                                          m_settings, *m_store);
  m_layout->SetReviewPanels(GameLayout::ReviewPanels{&m_review->List(), &m_review->Graph(),
                                                     [this] { return m_review->ListWidth(); },
                                                     [this] { return m_review->GraphHeight(); }});
  m_layout->SetRepaint([this] {
    if (m_viewer->IsShowing()) return m_viewer->ShowMove(m_viewer->Shown()->Position());
    if (m_match->InProgress()) m_field->RepaintGame();
  });

  // Every socket signal runs its handler inside the socket's mark: nothing
  // it does waits on a box.
  m_network = std::make_unique<NetworkGame>(
      *this, *m_match, *m_boxes, m_settings.Network, m_settings.Port, m_options.JoinTimeoutMs,
      log,
      [this](const QString& address) {
        m_settings.LastAddress = address;
        m_store->SaveLastAddress(address);
      },
      m_settings.LastAddress);
  net::ServerSocket& server = m_network->Server();
  net::ClientSocket& client = m_network->Client();
  connect(&server, &net::ServerSocket::ClientConnected, this, SocketHandler(&TForm1::ServerSocket1ClientConnect));
  connect(&server, &net::ServerSocket::ClientRead, this, SocketHandler(&TForm1::ServerSocket1ClientRead));
  connect(&server, &net::ServerSocket::ClientError, this, SocketHandler(&TForm1::ServerSocket1ClientError));
  // The opponent's connection closing without a notice ends the game as an
  // error would; a refused further connection closing changes nothing.
  connect(&server, &net::ServerSocket::ClientClosed, this, SocketHandler(&TForm1::ServerSocket1ClientError));
  connect(&client, &net::ClientSocket::DataRead, this, SocketHandler(&TForm1::ClientSocket1Read));
  connect(&client, &net::ClientSocket::Disconnecting, this, SocketHandler(&TForm1::ClientSocket1Disconnect));
  connect(&client, &net::ClientSocket::Failed, this, SocketHandler(&TForm1::ClientSocket1Error));
  connect(&client, &net::ClientSocket::ClosedByPeer, this,
          [this] { m_boxes->InSocketHandler([this] { m_network->ClientClosedByPeer(); }); });

  m_events->Attach(WindowEvents::Parts{m_match.get(), m_field.get(), m_panel1, m_opponents.get(), m_takeBack.get(),
                                       m_viewer.get(), m_review.get(), m_records.get(), m_hidden.get(), m_sounds, log,
                                       [this] { OnGameStarted(); }, [this] { OnGameEnded(); }});
  CreateMenu();
  m_form4 = new dialogs::TForm4(this);
  if (m_settings.FieldSizeKept) m_form4->SetChosenSize(m_settings.FieldWidth, m_settings.FieldHeight);
  net::NetworkOptions& network = m_settings.Network;
  m_form5 = new dialogs::TForm5({&network.ShowRivalMessages, &network.ShowErrorMessages, &network.ShowSecondConnection}, this);
  m_aboutFrm = new dialogs::TAboutFrm([this](const QString& address) { m_desktop.OpenAddress(address); }, this);
  m_field->ShowCoordinates(m_settings.Coordinates);
  m_layout->SetContentSize(InitialWidth, InitialLogHeight);
  if (m_settings.Zoom == FitToWindow) m_layout->ChooseZoom(FitToWindow);
  m_layout->PlaceWindow();
  m_status->Say(StartHint(), StartHintWhole());
  FormCreate();
}

TForm1::~TForm1() = default;

// Every menu and item has its underlined letter (Alt, F10 and Alt+letter
// open them), and the commonest commands have shortcuts, shown in the menus.
void TForm1::CreateMenu() {
  const auto add = [this](QMenu* menu, const char* name, const QString& caption, int icon, void (TForm1::*handler)()) {
    QAction* action = menu->addAction(MenuIcon(icon), caption);
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this, GuardedHandler(handler));
    return action;
  };
  GameLayout::Commands commands;
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("MainMenu1"));
  QMenu* game = bar->addMenu(QStringLiteral("&Игра"));
  game->menuAction()->setObjectName(QStringLiteral("N1"));
  add(game, "N2", QStringLiteral("&Начать новую"), 1, &TForm1::N2Click)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
  m_opponents->AddTwoPeopleCommand(*game);
  game->addSeparator();
  commands.Surrender = add(game, "N3", QStringLiteral("&Сдаться"), 11, &TForm1::N3Click);
  commands.Surrender->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
  commands.Surrender->setEnabled(false);
  m_takeBack->AddCommands(*game);
  game->addSeparator();
  commands.FieldSettings = add(game, "N4", QStringLiteral("Нас&тройки поля"), 5, &TForm1::N4Click);
  add(game, "N5", QStringLiteral("&Рекорды"), 4, &TForm1::N5Click)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
  game->addSeparator();
  m_viewer->AddCommands(*game);
  m_review->AddAnalyseCommand(*game);
  game->addSeparator();
  add(game, "N7", QStringLiteral("В&ыход"), 10, &TForm1::N7Click)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

  QMenu* view = bar->addMenu(QStringLiteral("&Вид"));
  view->menuAction()->setObjectName(QStringLiteral("N8"));
  commands.Colors = {add(view, "N9", QStringLiteral("Цвет &ваших точек"), 7, &TForm1::N9Click),
                     add(view, "N10", QStringLiteral("Цвет точек &компьютера"), 8, &TForm1::N10Click),
                     add(view, "N11", QStringLiteral("Цвет &фона"), 12, &TForm1::N11Click),
                     add(view, "N12", QStringLiteral("Цвет &сетки"), 13, &TForm1::N12Click)};
  m_layout->AddZoomMenu(*view);
  m_review->AddListCommand(*view);
  QAction* coordinates = view->addAction(QStringLiteral("Ко&ординаты"));
  coordinates->setObjectName(QStringLiteral("ShowCoordinates"));
  coordinates->setCheckable(true);
  coordinates->setChecked(m_settings.Coordinates);
  connect(coordinates, &QAction::triggered, this, [this](bool shown) {
    m_settings.Coordinates = shown;
    m_store->SaveCoordinates(shown);
    m_field->ShowCoordinates(shown);
  });
  m_sounds->AddCommand(*view);

  QMenu* network = bar->addMenu(QStringLiteral("Игра &по сети"));
  network->menuAction()->setObjectName(QStringLiteral("N13"));
  QMenu* setup = commands.Setup = network->addMenu(MenuIcon(0), QStringLiteral("&Настоить"));
  setup->menuAction()->setObjectName(QStringLiteral("N14"));
  add(setup, "N16", QStringLiteral("&Создать сервер"), 2, &TForm1::N16Click);
  add(setup, "N17", QStringLiteral("&Подключиться"), 3, &TForm1::N17Click);
  commands.SendMessage = add(network, "N18", QStringLiteral("&Послать сообщение"), 14, &TForm1::N18Click);
  commands.SendMessage->setEnabled(false);
  add(network, "N20", QStringLiteral("На&стройки"), 5, &TForm1::N20Click);

  QMenu& settings = m_opponents->AddMenu(*bar);
  m_openings->AddMenu(settings);
  m_clocks->AddMenu(settings);

  QMenu* help = bar->addMenu(QStringLiteral("&Справка"));
  help->menuAction()->setObjectName(QStringLiteral("N21"));
  QAction* contents = add(help, "N22", QStringLiteral("&Содержание"), 16, &TForm1::N22Click);
  contents->setShortcut(QKeySequence(Qt::Key_F1));
  contents->setShortcutContext(Qt::ApplicationShortcut);
  help->addSeparator();
  add(help, "N25", QStringLiteral("&Обратная связь"), 17, &TForm1::N25Click);
  add(help, "N24", QStringLiteral("О &программе"), 15, &TForm1::N24Click);

  // F10 opens the first menu, as on other desktops.
  auto* menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
  connect(menuKey, &QShortcut::activated, this, [bar, game] { bar->setActiveAction(game->menuAction()); });
  m_layout->SetCommands(commands);
}

void TForm1::Log(const QString& line) { m_memo3->AppendLine(line); }

void TForm1::FormCreate() {
  m_panel1->DrawLegend(m_settings.Colors);
  m_records->Load();
}

void TForm1::FormClose() {
  m_hidden->SelfPlayTimer()->stop();
  m_takeBack->Stop();
  m_review->StopAnalysis();
  m_opponents->StopAll();
  m_network->Close();
  m_records->Save();
}

// Closing the window (its button, Alt+F4, «Выход», Ctrl+Q) during a game
// asks first; Нет keeps the window and the game.
void TForm1::closeEvent(QCloseEvent* event) {
  if (m_match->InProgress() && !AgreeToEndGame(m_boxes->Ask(), *m_match)) return event->ignore();
  FormClose();
  event->accept();
}

// A game starts: the window is laid out for the field, the field is shown
// empty, one pixel larger each way in a network game.
void TForm1::OnGameStarted() {
  if (m_status->Saying() == StartHint()) m_status->ClearSaying();
  m_viewer->GameStarted();
  m_clocks->GameStarted();
  m_openings->GameChanged();
  m_review->GameStarted();
  m_layout->UpdateTitle();
  m_layout->StartLayout();
  m_field->ShowEmptyField(m_match->IsNetwork() ? 2 : 1);
  m_network->GameStarted();
}

// The result of a network game may come from the peer's message: its boxes
// then follow once the socket's handler has returned, and the field stays
// in view until they have been answered.
void TForm1::OnGameEnded() {
  m_opponents->StopCountdown();
  m_clocks->GameEnded();
  m_openings->GameChanged();
  m_takeBack->DropHint();
  m_takeBack->UpdateCommands();
  m_review->GameEnded();
  m_boxes->AfterBoxes([this] {
    if (m_match->InProgress() || m_viewer->IsShowing()) return;
    m_layout->EndLayout();
    m_viewer->GameLaidOut();
  });
}

// «Другой…» of «Контроль времени».
std::optional<match::TimeControl> TForm1::AskTimeControl(const match::TimeControl& current) {
  dialogs::TimeControlDialog dialog(this);
  if (current.IsTimed()) {
    dialog.SetControl(current.MainSeconds, current.MoveSeconds, current.Type == match::TimeControl::Kind::FreeSeconds);
  }
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return match::TimeControl{dialog.FreeWithinMove() ? match::TimeControl::Kind::FreeSeconds : match::TimeControl::Kind::Increment,
                            dialog.MainSeconds(), dialog.MoveSeconds()};
}

void TForm1::N2Click() { m_opponents->StartAgainstComputer(); }

void TForm1::N3Click() {
  if (m_match->InProgress() && !AgreeToEndGame(m_boxes->Ask(), *m_match)) return;
  GiveUpGame(*m_match, *m_takeBack, *m_status);
}

void TForm1::N4Click() {
  if (m_form4->exec() != QDialog::Accepted) return;
  m_settings.FieldWidth = m_form4->ChosenWidth();
  m_settings.FieldHeight = m_form4->ChosenHeight();
  m_match->Board().SetFieldSize(m_settings.FieldWidth, m_settings.FieldHeight);
  m_store->SaveFieldSize(m_settings.FieldWidth, m_settings.FieldHeight);
}

void TForm1::N5Click() { m_records->ShowTable(); }
void TForm1::N7Click() { close(); }

// The chooser starts at the current colour; confirming takes its choice,
// cancelling keeps the colour. The legend icons are redrawn either way, and
// a game shown on the field at once.
void TForm1::ChooseColor(render::Color& color) {
  if (const auto chosen = m_boxes->Ask().ChooseColor(color)) {
    color = *chosen;
    m_store->SaveColors(m_settings.Colors);
  }
  m_panel1->DrawLegend(m_settings.Colors);
  m_viewer->ColorsChanged();
}

void TForm1::N9Click() { ChooseColor(m_settings.Colors.OwnColor); }
void TForm1::N10Click() { ChooseColor(m_settings.Colors.RivalColor); }
void TForm1::N11Click() { ChooseColor(m_settings.Colors.BackColor); }
void TForm1::N12Click() { ChooseColor(m_settings.Colors.GridColor); }

void TForm1::N16Click() { m_network->Host(); }
void TForm1::N17Click() { m_network->Join(); }
void TForm1::N18Click() { m_network->SendChat(); }
void TForm1::N20Click() { m_form5->exec(); }

// A help file beside the program keeps its classic way (topic 1 through the
// desktop); otherwise the program's own help opens at its contents.
void TForm1::N22Click() {
  if (QFileInfo::exists(m_options.HelpFile)) return OpenHelpTopic(m_desktop, m_boxes->Ask(), m_options.HelpFile, 1);
  if (m_helpWindow == nullptr) m_helpWindow = new HelpWindow(this);
  m_helpWindow->ShowPage();
}

void TForm1::N24Click() {
  m_aboutFrm->ShowAboutPage();
  m_aboutFrm->exec();
}

void TForm1::N25Click() {
  m_aboutFrm->ShowFeedbackPage();
  m_aboutFrm->exec();
}

void TForm1::GamePoleMouseMove(int x, int y) {
  if (!m_viewer->IsShowing()) m_field->MouseMoved(x, y);
}

// The picture before the move is kept for the previous-move viewer, also
// when the hidden option plays the computer's dot instead.
void TForm1::GamePoleClick() {
  if (m_viewer->IsShowing()) return;  // a game shown on the field takes no click
  const engine::Node node = m_field->Selected();
  if (!m_match->IsFreeNode(node)) return m_boxes->Ask().Inform(QStringLiteral("Вы не выбрали точку!"));
  m_field->KeepSnapshot();
  m_panel1->PreviousMove()->setEnabled(true);
  m_takeBack->DropHint();
  if (m_hidden->PlaysForComputer()) return m_match->PutRivalDot(node);
  m_match->PlayTurn(node);
}

void TForm1::BitBtn2Click() { N3Click(); }
void TForm1::BitBtn3Click() { m_field->ShowPreviousMove(); }

// The counts shown are those from before the refresh's own capture scans.
void TForm1::BitBtn4Click() {
  m_match->Refresh();
  m_field->RepaintDots();
}

void TForm1::ServerSocket1ClientConnect(QTcpSocket* connection) { m_network->ClientConnected(connection); }
void TForm1::ServerSocket1ClientRead(QTcpSocket* connection, const QByteArray& bytes) {
  m_network->ServerRead(connection, bytes);
}
void TForm1::ServerSocket1ClientError(QTcpSocket* connection) { m_network->ServerClosedOrFailed(connection); }
void TForm1::ClientSocket1Read(const QByteArray& bytes) { m_network->ClientRead(bytes); }
void TForm1::ClientSocket1Disconnect() { m_network->ClientDisconnecting(); }
void TForm1::ClientSocket1Error() { m_network->ClientFailed(); }

void TForm1::Timer1Timer() { m_hidden->SelfPlayTick(); }
void TForm1::Timer2Timer() { m_status->ShowTimeOfDay(); }

void TForm1::Button1Click() { m_hidden->StartComputerAgainstComputer(); }
void TForm1::Button2Click() { m_hidden->ShowSurroundCheck(); }
void TForm1::Button3Click() { m_hidden->ShowBareGrid(); }
void TForm1::Button4Click() { m_hidden->PlayCaptureCheck(); }
void TForm1::BitBtn1Click() { m_field->RestoreSnapshot(); }
void TForm1::Panel2Click() { m_hidden->LoadStoredPosition(); }

}  // namespace solvar::game
