#pragma once
// TForm1, the main window: the menu, the field, the score panel, the game log
// and the status bar. The game itself is a match::Match; the window forwards
// the user's commands and the sockets' events to it and paints, logs and asks
// from what it reports. The handlers keep the names of the control and event
// that run them (N2Click is the menu item "Начать новую", GamePoleClick a
// click on the field).

#include <QElapsedTimer>
#include <QImage>
#include <QMainWindow>
#include <QPointer>
#include <QTcpSocket>

#include <functional>
#include <memory>
#include <vector>

#include "engine/random.h"
#include "game/app_options.h"
#include "game/box_queue.h"
#include "game/desktop.h"
#include "game/prompts.h"
#include "game/settings.h"
#include "match/computer_player.h"
#include "match/game_replay.h"
#include "match/match.h"
#include "match/points_engine_player.h"
#include "match/remote_player.h"
#include "match/strong_computer.h"
#include "records/records_table.h"
#include "render/field_canvas.h"

class QAction;
class QCheckBox;
class QFrame;
class QKeyEvent;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QSettings;
class QShortcut;
class QTimer;
class QToolButton;

namespace solvar::net {
class ClientSocket;
class PeerLink;
class ServerSocket;
}  // namespace solvar::net

namespace solvar::dialogs {
class TAboutFrm;
class TForm2;
class TForm3;
class TForm4;
class TForm5;
class TForm6;
}  // namespace solvar::dialogs

namespace solvar::game {

// The status bar's credit line: the site of the program.
inline constexpr const char* CreditLine = "solvar.example.org";

class FieldView;
class GameLog;
class HelpWindow;
class HintRing;
class MarkerShape;
class NodeCursor;
class ProcessEngineLink;
class WindowPainter;

class TForm1 : public QMainWindow, private match::MatchObserver {
  Q_OBJECT
 public:
  TForm1(const AppOptions& options, Prompts& prompts, Desktop& desktop, QWidget* parent = nullptr);
  ~TForm1() override;

  // Menu commands.
  void N2Click();   // "Начать новую"
  void N3Click();   // "Сдаться"
  void N4Click();   // "Настройки поля"
  void N5Click();   // "Рекорды"
  void N7Click();   // "Выход"
  void N35Click();  // "Ход назад"
  void N36Click();  // "Подсказка"
  void N37Click();  // "Игра вдвоём"
  void N9Click();   // "Цвет ваших точек"
  void N10Click();  // "Цвет точек компьютера"
  void N11Click();  // "Цвет фона"
  void N12Click();  // "Цвет сетки"
  void N16Click();  // "Создать сервер"
  void N17Click();  // "Подключиться"
  void N18Click();  // "Послать сообщение"
  void N20Click();  // "Настройки" of network play
  void N22Click();  // "Содержание" (F1)
  void N24Click();  // "О программе"
  void N25Click();  // "Обратная связь"
  void N30Click();  // "Сохранить партию…"
  void N31Click();  // "Открыть партию…"
  void N38Click();  // "Последняя партия"
  void N28Click();  // "Уровень компьютера" -> "Обычный"
  void N29Click();  // "Уровень компьютера" -> "Сильный"
  void N39Click();  // "Уровень компьютера" -> "Другая программа…"
  void N33Click();  // "Правила" -> "Классические"
  void N34Click();  // "Правила" -> "Спортивные"

  // The field and the score panel.
  void GamePoleMouseMove(int x, int y);
  void GamePoleClick();
  bool GamePoleKey(const QKeyEvent& event);  // true when the key was taken
  void BitBtn2Click();  // "Сдаться"
  void BitBtn3Click();  // "Просмотр предыдущего хода"
  void BitBtn4Click();  // "Обновить"
  void BitBtn5Click();  // "Ход назад"

  // Network play.
  void ServerSocket1ClientConnect(QTcpSocket* connection);
  void ServerSocket1ClientRead(QTcpSocket* connection, const QByteArray& bytes);
  void ServerSocket1ClientError(QTcpSocket* connection);
  void ClientSocket1Read(const QByteArray& bytes);
  void ClientSocket1Disconnect();
  void ClientSocket1Error();

  // Timers.
  void Timer1Timer();
  void Timer2Timer();

  // Hidden diagnostic controls.
  void Button1Click();  // "PC vs PC"
  void Button2Click();  // "Okrugaj!!!!"
  void Button3Click();  // "Pole"
  void Button4Click();  // "Proverka"
  void BitBtn1Click();  // "Назад"
  void Panel2Click();   // loads the stored position

  // A saved game on the field, stepped through.
  bool IsShowingSavedGame() const { return m_savedGame != nullptr; }
  // Shows the game of an SGF file on the field; false, after a box that
  // says why, when the file is refused.
  bool OpenSavedGame(const QString& path);
  void ShowSavedMove(int moves);

  match::Match& Game() { return *m_match; }
  const net::PeerLink& Peer() const { return *m_peerLink; }
  Settings& CurrentSettings() { return m_settings; }
  records::RecordsTable& Records() { return m_records; }
  const render::FieldCanvas& FieldPicture() const { return *m_canvas; }
  const QImage& FieldSnapshot() const { return m_snapshot->Image(); }
  // Appends one line to the game log.
  void Log(const QString& line);

  // Whether a socket's signal is being handled: no box may open meanwhile.
  bool IsHandlingSocket() const { return m_socketDepth > 0; }

  // Runs one event's work; an error that escapes it is shown in an error box
  // and the program goes on.
  void Guarded(const std::function<void()>& work);
  // A handler for a signal: the member function run inside Guarded.
  template <class... Args>
  auto GuardedHandler(void (TForm1::*handler)(Args...)) {
    return [this, handler](Args... args) { Guarded([&] { (this->*handler)(args...); }); };
  }
  // A handler for a socket's signal: guarded, and marked as running inside
  // the socket's signal, so that every box it asks for is shown afterwards.
  template <class... Args>
  auto SocketHandler(void (TForm1::*handler)(Args...)) {
    return [this, handler](Args... args) {
      const SocketScope scope(m_socketDepth);
      Guarded([&] { (this->*handler)(args...); });
    };
  }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // What the game reports.
  void OnGameStarted() override;
  void OnFirstMove(engine::Side side) override;
  void OnDotPlaced(engine::Node node, engine::Side side) override;
  void OnMarkerMoved(engine::Node node) override;
  void OnPositionCleared() override;
  void OnCapture(const engine::Outline& outline) override;
  void OnLogLine(std::string_view utf8Line) override;
  void OnScoresChanged(const engine::CellCounts& counts) override;
  void OnTurnChanged(match::Turn turn) override;
  void OnResult(const match::GameResult& result) override;
  void AskWinnerName(std::string_view initial, NameAnswer answer) override;
  void OnRecordEntered() override;
  void OnComputerThinking(bool thinking, int moveTimeMs) override;
  void OnGameEnded() override;
  void OnCandidateDump(std::string_view line) override;

  void FormCreate();
  void FormClose();
  void LoadRecordsFile();
  void SaveRecordsFile();
  void CreateMenu();
  void CreateField();
  void CreateScorePanel();
  void CreateLog();
  void CreateStatusBar();
  void CreateHiddenControls();
  void CreateSockets();
  QAction* AddCommand(QMenu* menu, const char* name, const QString& caption, int icon,
                      void (TForm1::*handler)());
  void SetContentSize(int width, int height);
  int LogHeight() const;
  void StartLayout();
  void EndLayout();
  void DrawLegendIcons();
  void SetScoreLabels(int own, int rival, int free);
  void LayOutField(int fieldWidth, int fieldHeight);
  void CreateSavedGameControls();
  void ShowSavedGame(match::GameRecord record);
  void LeaveSavedGame();
  void ShowGameButtons(bool game);
  void SetMenusForGame(bool inGame);
  void ChooseColor(render::Color& color);
  void CreateLevelMenu();
  void CreateRulesMenu(QMenu* settings);
  void ChooseLevel(ComputerLevel level);
  void CheckLevel(ComputerLevel level);
  // Another program as the computer.
  void CreateOtherProgram();
  std::unique_ptr<QSettings> ProgramSettings() const;
  void EndGameOnOtherProgram(const QString& why);
  match::Player& ComputerOfNextGame();
  void ChooseRules(engine::Rules rules);
  // The window's title: the program's, and the rules of a sport game or the
  // players and result of a saved game on the field.
  void UpdateTitle();
  void ShowThinking();
  match::Post PostToWindow();
  ai::SearchLimits StrongLimits() const;
  void SelfPlayAgainstStrong();
  // Taking back, hints and two people at one window.
  void UpdateGameCommands();
  // Ending a game by a command, and the game that has ended.
  bool AgreeToEndGame();
  void GiveUpGame();
  void EndGameLayout();
  void ViewFinishedGameWhenLaidOut();
  // The keyboard on the field.
  bool FieldHoldsTab() const;
  void MoveCursor(int dx, int dy);
  void SelectNode(engine::Node under);
  void ForgetCursor();
  bool CanHint() const;
  void ShowHint(engine::Node node, engine::Side side);
  void DropHint();
  engine::Side SideToMove() const;
  QString TwoPlayersResultText(const match::GameResult& result) const;
  bool AskTwoNames();
  void RefuseFurtherClient(QTcpSocket* connection);
  void ReceiveFromPeer(const QByteArray& bytes);
  void ReportPeerFault(const QString& text);
  void ClientSocket1Closed();
  void JoinTimedOut();
  // Shows a box now, or, inside a socket's handler, once the handler has
  // returned (the boxes wait their turn in m_boxes).
  void ShowBox(const std::function<void()>& box);
  void ReportError(const QString& text);

  struct SocketScope {
    explicit SocketScope(int& depth) : Depth(depth) { ++Depth; }
    ~SocketScope() { --Depth; }
    SocketScope(const SocketScope&) = delete;
    SocketScope& operator=(const SocketScope&) = delete;
    int& Depth;
  };

  AppOptions m_options;
  Prompts& m_prompts;
  Desktop& m_desktop;
  Settings m_settings;
  records::RecordsTable m_records;
  engine::Random m_random;
  std::unique_ptr<match::Match> m_match;
  match::StandardComputerPlayer m_computer;
  std::unique_ptr<match::StrongComputerPlayer> m_strongComputer;
  // The strong computer as side 2 of the hidden computer-against-computer mode.
  std::unique_ptr<match::BackgroundSearch> m_selfPlaySearch;
  std::unique_ptr<match::BackgroundSearch> m_hintSearch;
  match::SecondPlayer m_secondPlayer;
  ProcessEngineLink* m_engineLink = nullptr;
  std::unique_ptr<match::PointsEnginePlayer> m_enginePlayer;
  QTimer* m_thinkingTimer = nullptr;
  QElapsedTimer m_thinkingClock;
  int m_thinkingBudgetMs = 0;
  std::unique_ptr<render::FieldCanvas> m_canvas;
  std::unique_ptr<render::FieldCanvas> m_snapshot;  // the field before the player's last move
  std::unique_ptr<WindowPainter> m_painter;
  // The free node under the mouse or the keyboard's cursor; x = -1 for none.
  engine::Node m_selectedNode{0, 0};
  // The node the keyboard's cursor (or the mouse) last stood on, taken or not.
  engine::Node m_cursor{0, 0};
  bool m_cursorPlaced = false;
  bool m_viewFinishedGame = false;  // «Посмотреть партию» was pressed

  // Controls, each also reachable by its name.
  QWidget* m_content = nullptr;
  FieldView* m_gamePole = nullptr;
  MarkerShape* m_shape1 = nullptr;
  HintRing* m_hintRing = nullptr;
  NodeCursor* m_nodeCursor = nullptr;
  QFrame* m_panel1 = nullptr;
  QLabel* m_label2 = nullptr;
  QLabel* m_label4 = nullptr;
  QLabel* m_label6 = nullptr;
  QLabel* m_image1 = nullptr;
  QLabel* m_image2 = nullptr;
  QLabel* m_image3 = nullptr;
  QToolButton* m_bitBtn2 = nullptr;
  QToolButton* m_bitBtn3 = nullptr;
  QToolButton* m_bitBtn4 = nullptr;
  QToolButton* m_bitBtn5 = nullptr;
  GameLog* m_memo3 = nullptr;
  QLabel* m_clockPanel = nullptr;
  QLabel* m_selectionPanel = nullptr;
  QLabel* m_creditPanel = nullptr;
  std::unique_ptr<match::GameReplay> m_savedGame;
  QToolButton* m_viewBack = nullptr;
  QToolButton* m_viewForward = nullptr;
  QToolButton* m_viewClose = nullptr;
  std::vector<QShortcut*> m_viewKeys;  // the viewer's keys, on only while it shows a game
  QAction* m_newGame = nullptr;
  QAction* m_surrender = nullptr;
  QAction* m_takeBack = nullptr;
  QAction* m_hint = nullptr;
  QAction* m_twoPlayers = nullptr;
  QAction* m_fieldSettings = nullptr;
  QAction* m_sendMessage = nullptr;
  QMenu* m_viewMenu = nullptr;
  QMenu* m_setupMenu = nullptr;
  QAction* m_saveGame = nullptr;
  QAction* m_openGame = nullptr;
  QAction* m_lastGame = nullptr;
  QAction* m_levelStandard = nullptr;
  QAction* m_levelStrong = nullptr;
  QAction* m_levelOther = nullptr;
  QAction* m_rulesClassic = nullptr;
  QAction* m_rulesSport = nullptr;
  QTimer* m_timer1 = nullptr;
  QTimer* m_timer2 = nullptr;
  QCheckBox* m_checkBox1 = nullptr;
  QPlainTextEdit* m_memo2 = nullptr;
  net::ServerSocket* m_serverSocket1 = nullptr;
  net::ClientSocket* m_clientSocket1 = nullptr;
  std::unique_ptr<net::PeerLink> m_peerLink;
  std::unique_ptr<match::RemotePlayer> m_remote;
  BoxQueue* m_boxes = nullptr;
  int m_socketDepth = 0;  // how many socket handlers are running
  bool m_peerFaultBoxPending = false;
  bool m_refusalNoticePending = false;
  QElapsedTimer m_refusalAnswered;
  QTimer* m_joinTimer = nullptr;
  dialogs::TForm2* m_form2 = nullptr;
  dialogs::TForm3* m_form3 = nullptr;
  dialogs::TForm4* m_form4 = nullptr;
  dialogs::TForm5* m_form5 = nullptr;
  dialogs::TAboutFrm* m_aboutFrm = nullptr;
  dialogs::TForm6* m_form6 = nullptr;
  HelpWindow* m_helpWindow = nullptr;  // made when first asked for
};

}  // namespace solvar::game
