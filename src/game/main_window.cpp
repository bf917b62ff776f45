#include "game/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QMenuBar>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QStyle>
#include <QTime>
#include <QTimer>
#include <QToolButton>

#include "dialogs/about_dialog.h"
#include "dialogs/field_size_dialog.h"
#include "dialogs/network_options_dialog.h"
#include "dialogs/previous_move_dialog.h"
#include "dialogs/records_dialog.h"
#include "dialogs/style.h"
#include "game/field_view.h"
#include "game/game_log.h"
#include "game/records_location.h"
#include "game/window_painter.h"
#include "net/connection.h"
#include "net/peer_link.h"
#include "match/sgf_file.h"
#include "records/records_file.h"
#include "render/field_painter.h"
#include "text/program_error.h"

namespace solvar::game {

namespace {

using dialogs::ArialFont;
using dialogs::Blue;
using dialogs::Cream;

constexpr int InitialWidth = 683;
constexpr int InitialLogHeight = 137;
constexpr int PanelWidth = 108;
constexpr int StatusBarHeight = 19;

QString ProgramTitle() { return QStringLiteral("Логическая игра \"Сольвар\""); }

QString Greeting() {
  return QStringLiteral("************** Вас приветствует игра \"Сольвар\" ***********");
}

// The time of day in the system's long time format, without a time zone.
QString LongTimeOfDay() {
  QString format = QLocale::system().timeFormat(QLocale::LongFormat);
  format.remove(QLatin1Char('t'));
  return QTime::currentTime().toString(format.trimmed());
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

// «Ход назад»: an arrow curving back, unlike the plain arrow of the
// previous-move viewer next to it.
QIcon TakeBackIcon() {
  return DrawnIcon([](QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor green(0x1E, 0x7D, 0x32);
    painter.setPen(QPen(green, 2.0, Qt::SolidLine, Qt::RoundCap));
    QPainterPath curve;
    curve.moveTo(4.5, 6.5);
    curve.lineTo(9.5, 6.5);
    curve.cubicTo(15.0, 6.5, 15.0, 14.0, 9.5, 14.0);
    curve.lineTo(6.0, 14.0);
    painter.drawPath(curve);
    painter.setPen(Qt::NoPen);
    painter.setBrush(green);
    painter.drawPolygon(QPolygonF({QPointF(0.5, 6.5), QPointF(6.0, 2.0), QPointF(6.0, 11.0)}));
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
    case 6: return StandardIcon(QStyle::SP_DialogSaveButton);
    case 7: return DotIcon(render::FieldColors{}.OwnColor);
    case 8: return DotIcon(render::FieldColors{}.RivalColor);
    case 9: return StandardIcon(QStyle::SP_DialogOpenButton);
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

QLabel* PanelLabel(QWidget* parent, const char* name, const QString& text, int x, int y) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setFont(ArialFont(13));
  dialogs::SetTextColor(label, Blue);
  label->move(x, y);
  label->resize(56, 17);
  return label;
}

QLabel* LegendImage(QWidget* parent, const char* name, int x, int y) {
  auto* image = new QLabel(parent);
  image->setObjectName(QString::fromLatin1(name));
  image->setGeometry(x, y, 25, 25);
  return image;
}

QToolButton* PanelButton(QWidget* parent, const char* name, QStyle::StandardPixmap icon, int x) {
  auto* button = new QToolButton(parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setGeometry(x, 136, 27, 27);
  button->setIcon(StandardIcon(icon));
  return button;
}

}  // namespace

TForm1::TForm1(const AppOptions& options, Prompts& prompts, Desktop& desktop, QWidget* parent)
    : QMainWindow(parent),
      m_options(options),
      m_prompts(prompts),
      m_desktop(desktop),
      m_random(options.Seed ? engine::Random(*options.Seed) : engine::Random()),
      m_match(std::make_unique<match::Match>(static_cast<match::MatchObserver&>(*this), m_random, m_records)),
      m_canvas(std::make_unique<render::FieldCanvas>(render::FieldPictureWidth, render::FieldPictureHeight,
                                                     devicePixelRatio())),
      m_snapshot(std::make_unique<render::FieldCanvas>(*m_canvas)) {
  if (m_options.RecordsFile.isEmpty()) m_options.RecordsFile = RecordsFilePath();
  setObjectName(QStringLiteral("TForm1"));
  setWindowTitle(ProgramTitle());
  setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setFont(ArialFont(11));
  dialogs::SetBackground(this, dialogs::White);

  m_boxes = new BoxQueue(this);
  m_content = new QWidget(this);
  m_content->setObjectName(QStringLiteral("Content"));
  setCentralWidget(m_content);
  CreateMenu();
  CreateField();
  CreateScorePanel();
  CreateLog();
  CreateStatusBar();
  CreateHiddenControls();
  m_painter = std::make_unique<WindowPainter>(*m_canvas, m_settings.Colors, m_match->Board(), *m_gamePole, *m_shape1,
                                              *m_memo2);
  CreateSavedGameControls();
  CreateSockets();
  m_strongComputer = std::make_unique<match::StrongComputerPlayer>(PostToWindow(), StrongLimits());
  m_selfPlaySearch = std::make_unique<match::BackgroundSearch>(PostToWindow());
  m_hintSearch = std::make_unique<match::BackgroundSearch>(PostToWindow());
  CreateOtherProgram();
  m_thinkingTimer = new QTimer(this);
  m_thinkingTimer->setInterval(100);
  connect(m_thinkingTimer, &QTimer::timeout, this, &TForm1::ShowThinking);
  m_form3 = new dialogs::TForm3(this);
  m_form4 = new dialogs::TForm4(this);
  net::NetworkOptions& network = m_settings.Network;
  m_form5 = new dialogs::TForm5({&network.ShowRivalMessages, &network.ShowErrorMessages, &network.ShowSecondConnection}, this);
  m_form6 = new dialogs::TForm6(this);
  m_aboutFrm = new dialogs::TAboutFrm([this](const QString& address) { m_desktop.OpenAddress(address); }, this);
  SetContentSize(InitialWidth, InitialLogHeight);
  move(198, 108);
  FormCreate();
}

TForm1::~TForm1() = default;

QAction* TForm1::AddCommand(QMenu* menu, const char* name, const QString& caption, int icon,
                            void (TForm1::*handler)()) {
  QAction* action = menu->addAction(MenuIcon(icon), caption);
  action->setObjectName(QString::fromLatin1(name));
  connect(action, &QAction::triggered, this, GuardedHandler(handler));
  return action;
}

// Every menu and item has its underlined letter (the texts are as they
// were; Alt, F10 and Alt+letter open them), and the commonest commands have
// shortcuts, shown in the menus.
void TForm1::CreateMenu() {
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("MainMenu1"));
  QMenu* game = bar->addMenu(QStringLiteral("&Игра"));
  game->menuAction()->setObjectName(QStringLiteral("N1"));
  m_newGame = AddCommand(game, "N2", QStringLiteral("&Начать новую"), 1, &TForm1::N2Click);
  m_newGame->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
  m_twoPlayers = AddCommand(game, "N37", QStringLiteral("&Игра вдвоём"), -1, &TForm1::N37Click);
  game->addSeparator();
  m_surrender = AddCommand(game, "N3", QStringLiteral("&Сдаться"), 11, &TForm1::N3Click);
  m_surrender->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
  m_surrender->setEnabled(false);
  m_takeBack = AddCommand(game, "N35", QStringLiteral("&Ход назад"), -1, &TForm1::N35Click);
  m_takeBack->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  m_takeBack->setIcon(TakeBackIcon());
  m_takeBack->setEnabled(false);
  m_hint = AddCommand(game, "N36", QStringLiteral("&Подсказка"), -1, &TForm1::N36Click);
  m_hint->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
  m_hint->setEnabled(false);
  game->addSeparator();
  m_fieldSettings = AddCommand(game, "N4", QStringLiteral("Нас&тройки поля"), 5, &TForm1::N4Click);
  AddCommand(game, "N5", QStringLiteral("&Рекорды"), 4, &TForm1::N5Click)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
  game->addSeparator();
  m_saveGame = AddCommand(game, "N30", QStringLiteral("Сохр&анить партию…"), 6, &TForm1::N30Click);
  m_saveGame->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  m_saveGame->setEnabled(false);
  m_openGame = AddCommand(game, "N31", QStringLiteral("&Открыть партию…"), 9, &TForm1::N31Click);
  m_openGame->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  m_lastGame = AddCommand(game, "N38", QStringLiteral("Пос&ледняя партия"), -1, &TForm1::N38Click);
  m_lastGame->setEnabled(false);
  game->addSeparator();
  AddCommand(game, "N7", QStringLiteral("В&ыход"), 10, &TForm1::N7Click)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

  m_viewMenu = bar->addMenu(QStringLiteral("&Вид"));
  m_viewMenu->menuAction()->setObjectName(QStringLiteral("N8"));
  AddCommand(m_viewMenu, "N9", QStringLiteral("Цвет &ваших точек"), 7, &TForm1::N9Click);
  AddCommand(m_viewMenu, "N10", QStringLiteral("Цвет точек &компьютера"), 8, &TForm1::N10Click);
  AddCommand(m_viewMenu, "N11", QStringLiteral("Цвет &фона"), 12, &TForm1::N11Click);
  AddCommand(m_viewMenu, "N12", QStringLiteral("Цвет &сетки"), 13, &TForm1::N12Click);

  QMenu* network = bar->addMenu(QStringLiteral("Игра &по сети"));
  network->menuAction()->setObjectName(QStringLiteral("N13"));
  m_setupMenu = network->addMenu(MenuIcon(0), QStringLiteral("&Настоить"));
  m_setupMenu->menuAction()->setObjectName(QStringLiteral("N14"));
  AddCommand(m_setupMenu, "N16", QStringLiteral("&Создать сервер"), 2, &TForm1::N16Click);
  AddCommand(m_setupMenu, "N17", QStringLiteral("&Подключиться"), 3, &TForm1::N17Click);
  m_sendMessage = AddCommand(network, "N18", QStringLiteral("&Послать сообщение"), 14, &TForm1::N18Click);
  m_sendMessage->setEnabled(false);
  AddCommand(network, "N20", QStringLiteral("На&стройки"), 5, &TForm1::N20Click);

  CreateLevelMenu();

  QMenu* help = bar->addMenu(QStringLiteral("&Справка"));
  help->menuAction()->setObjectName(QStringLiteral("N21"));
  QAction* contents = AddCommand(help, "N22", QStringLiteral("&Содержание"), 16, &TForm1::N22Click);
  contents->setShortcut(QKeySequence(Qt::Key_F1));
  contents->setShortcutContext(Qt::ApplicationShortcut);
  help->addSeparator();
  AddCommand(help, "N25", QStringLiteral("&Обратная связь"), 17, &TForm1::N25Click);
  AddCommand(help, "N24", QStringLiteral("О &программе"), 15, &TForm1::N24Click);

  // F10 opens the first menu, as on other desktops.
  auto* menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
  connect(menuKey, &QShortcut::activated, this, [bar, game] { bar->setActiveAction(game->menuAction()); });
}

void TForm1::CreateField() {
  m_gamePole = new FieldView(*m_canvas, m_content);
  m_gamePole->setObjectName(QStringLiteral("GamePole"));
  m_gamePole->setGeometry(0, 0, render::FieldPictureWidth, render::FieldPictureHeight);
  m_gamePole->hide();
  m_gamePole->onMouseMove = GuardedHandler(&TForm1::GamePoleMouseMove);
  m_gamePole->onClick = GuardedHandler(&TForm1::GamePoleClick);
  m_shape1 = new MarkerShape(m_content);
  m_shape1->setObjectName(QStringLiteral("Shape1"));
  m_shape1->hide();
  m_hintRing = new HintRing(m_content);
  m_hintRing->setObjectName(QStringLiteral("HintRing"));
  m_hintRing->hide();
  m_nodeCursor = new NodeCursor(m_content);
  m_nodeCursor->setObjectName(QStringLiteral("NodeCursor"));
  m_nodeCursor->hide();
  // The field takes the keys: in play the arrows, Space and Return, and the
  // Tab stays on it; a shown game is stepped through with the arrows.
  m_gamePole->setFocusPolicy(Qt::StrongFocus);
  m_gamePole->onKey = [this](const QKeyEvent& event) {
    bool taken = false;
    Guarded([&] { taken = GamePoleKey(event); });
    return taken;
  };
  m_gamePole->holdsTab = [this] { return FieldHoldsTab(); };
}

void TForm1::CreateScorePanel() {
  m_panel1 = new QFrame(m_content);
  m_panel1->setObjectName(QStringLiteral("Panel1"));
  m_panel1->setGeometry(552, 0, PanelWidth, render::FieldPictureHeight);
  dialogs::SetBackground(m_panel1, Cream);
  m_panel1->hide();
  // Centred where a 65-pixel label at 24 is centred, wide enough for the word.
  QLabel* title = PanelLabel(m_panel1, "Label1", QStringLiteral("Статистика"), 8, 8);
  title->resize(97, 17);
  title->setAlignment(Qt::AlignCenter);
  m_image2 = LegendImage(m_panel1, "Image2", 8, 32);
  m_label2 = PanelLabel(m_panel1, "Label2", QStringLiteral("0"), 49, 40);
  m_image3 = LegendImage(m_panel1, "Image3", 8, 64);
  m_label4 = PanelLabel(m_panel1, "Label4", QStringLiteral("0"), 49, 72);
  m_image1 = LegendImage(m_panel1, "Image1", 8, 96);
  m_label6 = PanelLabel(m_panel1, "Label6", QStringLiteral("0"), 49, 104);

  m_bitBtn4 = PanelButton(m_panel1, "BitBtn4", QStyle::SP_BrowserReload, 8);
  m_bitBtn4->setToolTip(QStringLiteral("Обновить"));
  m_bitBtn2 = PanelButton(m_panel1, "BitBtn2", QStyle::SP_DialogCancelButton, 40);
  m_bitBtn2->setToolTip(QStringLiteral("Сдаться"));
  m_bitBtn3 = PanelButton(m_panel1, "BitBtn3", QStyle::SP_ArrowBack, 72);
  m_bitBtn5 = PanelButton(m_panel1, "BitBtn5", QStyle::SP_ArrowLeft, 8);
  m_bitBtn5->setIcon(TakeBackIcon());
  m_bitBtn5->move(8, 168);
  m_bitBtn5->setToolTip(QStringLiteral("Ход назад"));
  m_bitBtn5->setEnabled(false);
  m_bitBtn5->hide();
  connect(m_bitBtn5, &QToolButton::clicked, this, GuardedHandler(&TForm1::BitBtn5Click));
  m_bitBtn3->setToolTip(QStringLiteral("Просмотр предыдущего хода"));
  connect(m_bitBtn4, &QToolButton::clicked, this, GuardedHandler(&TForm1::BitBtn4Click));
  connect(m_bitBtn2, &QToolButton::clicked, this, GuardedHandler(&TForm1::BitBtn2Click));
  connect(m_bitBtn3, &QToolButton::clicked, this, GuardedHandler(&TForm1::BitBtn3Click));
}

void TForm1::CreateLog() {
  m_memo3 = new GameLog(m_content);
  m_memo3->setObjectName(QStringLiteral("Memo3"));
  m_memo3->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  m_memo3->setFont(ArialFont(13, /*italic=*/true));
  m_memo3->setStyleSheet(QStringLiteral("QPlainTextEdit { background: #fffbf0; color: #0000ff; }"));
  m_memo3->setFixedHeight(InitialLogHeight);
  m_memo3->setMaximumBlockCount(10000);
  m_memo3->AppendLine(Greeting());
}

void TForm1::CreateStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setObjectName(QStringLiteral("StatusBar1"));
  bar->setSizeGripEnabled(false);
  bar->setFixedHeight(StatusBarHeight);
  m_clockPanel = new QLabel(bar);
  m_clockPanel->setObjectName(QStringLiteral("StatusPanel0"));
  m_clockPanel->setMinimumWidth(50);
  m_selectionPanel = new QLabel(bar);
  m_selectionPanel->setObjectName(QStringLiteral("StatusPanel1"));
  m_selectionPanel->setFixedWidth(150);
  auto* credit = new QLabel(QString::fromUtf8(CreditLine), bar);
  credit->setObjectName(QStringLiteral("StatusPanel2"));
  credit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  m_creditPanel = credit;
  bar->addWidget(m_clockPanel);
  bar->addWidget(m_selectionPanel);
  bar->addWidget(credit, 1);
  m_timer2 = new QTimer(this);
  m_timer2->setObjectName(QStringLiteral("Timer2"));
  m_timer2->setInterval(1000);
  connect(m_timer2, &QTimer::timeout, this, GuardedHandler(&TForm1::Timer2Timer));
  m_timer2->start();
  Timer2Timer();
}

void TForm1::CreateHiddenControls() {
  auto button = [this](const char* name, const QString& caption, void (TForm1::*handler)()) {
    auto* b = new QPushButton(caption, m_content);
    b->setObjectName(QString::fromLatin1(name));
    b->hide();
    connect(b, &QPushButton::clicked, this, GuardedHandler(handler));
    return b;
  };
  button("Button1", QStringLiteral("PC vs PC"), &TForm1::Button1Click);
  button("Button2", QStringLiteral("Okrugaj!!!!"), &TForm1::Button2Click);
  button("Button3", QStringLiteral("Pole"), &TForm1::Button3Click);
  button("Button4", QStringLiteral("Proverka"), &TForm1::Button4Click);
  button("BitBtn1", QStringLiteral("Назад"), &TForm1::BitBtn1Click);
  auto* memo1 = new QPlainTextEdit(m_content);
  memo1->setObjectName(QStringLiteral("Memo1"));
  memo1->hide();
  m_memo2 = new QPlainTextEdit(m_content);
  m_memo2->setObjectName(QStringLiteral("Memo2"));
  m_memo2->hide();
  auto* panel2 = new ClickablePanel(m_content);
  panel2->setObjectName(QStringLiteral("Panel2"));
  panel2->hide();
  panel2->onClick = GuardedHandler(&TForm1::Panel2Click);
  m_checkBox1 = new QCheckBox(QStringLiteral("Ходить за PC"), panel2);
  m_checkBox1->setObjectName(QStringLiteral("CheckBox1"));
  m_timer1 = new QTimer(this);
  m_timer1->setObjectName(QStringLiteral("Timer1"));
  m_timer1->setInterval(10);
  connect(m_timer1, &QTimer::timeout, this, GuardedHandler(&TForm1::Timer1Timer));
}

// The window holds its content, and is wider where the status bar needs room
// to show its three panels whole (on the smallest fields); the log spans it.
void TForm1::SetContentSize(int width, int height) {
  width = std::max(width, statusBar()->sizeHint().width());
  m_content->setFixedSize(width, height);
  m_memo3->setGeometry(0, height - m_memo3->height(), width, m_memo3->height());
  const int menuHeight = menuBar()->sizeHint().height();
  setFixedSize(width, menuHeight + height + StatusBarHeight);
}

void TForm1::Log(const QString& line) { m_memo3->AppendLine(line); }

void TForm1::UpdateTitle() {
  QString title = ProgramTitle();
  const QString sport = QStringLiteral("спортивные правила");
  if (IsShowingSavedGame()) {
    const match::GameRecord& record = m_savedGame->Record();
    title += QStringLiteral(" — ") + QString::fromStdString(record.Player1) + QStringLiteral(" и ") +
             QString::fromStdString(record.Player2);
    const std::string result = match::ResultDescription(record);
    if (!result.empty()) title += QStringLiteral(": ") + QString::fromStdString(result);
    if (record.Rules == engine::Rules::Sport) title += QStringLiteral(", ") + sport;
  } else if (m_match->InProgress() && m_match->Rules() == engine::Rules::Sport) {
    title += QStringLiteral(" — ") + sport;
  }
  setWindowTitle(title);
}

void TForm1::Guarded(const std::function<void()>& work) {
  try {
    work();
  } catch (const std::exception& error) {
    ReportError(QString::fromUtf8(error.what()));
  }
}

void TForm1::ShowBox(const std::function<void()>& box) {
  if (m_socketDepth == 0) return box();
  m_boxes->Post([this, box] { Guarded(box); });
}

void TForm1::ReportError(const QString& text) {
  const QString shown = ReadableBoxText(text);
  ShowBox([this, shown] { m_prompts.Error(shown); });
}

void TForm1::DrawLegendIcons() {
  const render::FieldColors& colors = m_settings.Colors;
  auto paint = [&](QLabel* image, render::Color circle) {
    render::FieldCanvas icon(25, 25, devicePixelRatio());
    render::DrawLegendIcon(icon, colors.BackColor, circle, colors.GridColor);
    // The icon is transparent where it shows its fill colour.
    QImage picture = icon.Shown().convertToFormat(QImage::Format_ARGB32);
    const QRgb fill = render::ToRgb(colors.BackColor);
    for (int y = 0; y < picture.height(); ++y)
      for (int x = 0; x < picture.width(); ++x)
        if ((picture.pixel(x, y) & 0xFFFFFF) == (fill & 0xFFFFFF)) picture.setPixel(x, y, 0);
    image->setPixmap(QPixmap::fromImage(picture));
    // The icon's own bitmap, before its fill colour is made transparent.
    image->setProperty("picture", icon.Image());
  };
  paint(m_image3, colors.OwnColor);
  paint(m_image2, colors.RivalColor);
  paint(m_image1, colors.BackColor);
}

void TForm1::Timer2Timer() { m_clockPanel->setText(LongTimeOfDay()); }

void TForm1::FormCreate() {
  DrawLegendIcons();
  LoadRecordsFile();
}

// A records file that cannot be read shows its error, and a second line
// that says what became of the records.
void TForm1::LoadRecordsFile() {
  const QString file = QFileInfo(m_options.RecordsFile).fileName();
  std::string keptCopy;
  try {
    records::LoadRecords(m_records, m_options.RecordsFile.toStdString(), &keptCopy);
  } catch (const text::ConversionError& error) {
    const QString kept = keptCopy.empty() ? QStringLiteral("Файл рекордов %1 повреждён.").arg(file)
                                          : QStringLiteral("Файл рекордов %1 повреждён; он сохранён как %2.")
                                                .arg(file, QFileInfo(QString::fromStdString(keptCopy)).fileName());
    ReportError(QString::fromUtf8(error.what()) + QLatin1Char('\n') + kept);
  } catch (const std::exception& error) {
    ReportError(QString::fromUtf8(error.what()) + QLatin1Char('\n') +
                QStringLiteral("Рекорды из файла %1 не прочитаны.").arg(file));
  }
}

// The folder is made on the first write (the per-user data folder may not
// exist yet).
void TForm1::SaveRecordsFile() {
  try {
    QDir().mkpath(QFileInfo(m_options.RecordsFile).absolutePath());
    records::SaveRecords(m_records, m_options.RecordsFile.toStdString());
  } catch (const std::exception& error) {
    ReportError(QString::fromUtf8(error.what()) + QLatin1Char('\n') +
                QStringLiteral("Рекорды не сохранены в файл %1.").arg(QFileInfo(m_options.RecordsFile).fileName()));
  }
}

void TForm1::FormClose() {
  m_timer1->stop();
  m_selfPlaySearch->Stop();
  m_hintSearch->Stop();
  m_strongComputer->OnGameEnd();
  m_enginePlayer->OnGameEnd();
  if (m_match->IsNetwork() && m_peerLink->IsHost()) m_remote->SayGoodbye();
  m_clientSocket1->Deactivate();
  m_serverSocket1->Deactivate();
  SaveRecordsFile();
}

// Closing the window (its button, Alt+F4, «Выход», Ctrl+Q) during a game
// asks first; Нет keeps the window and the game.
void TForm1::closeEvent(QCloseEvent* event) {
  if (m_match->InProgress() && !AgreeToEndGame()) return event->ignore();
  FormClose();
  event->accept();
}

void TForm1::N7Click() { close(); }

}  // namespace solvar::game
