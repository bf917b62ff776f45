#pragma once
// TForm1, the main window: the menu, the field, the score panel, the game
// log and the status bar. It is the form and its wiring only: the game is a
// match::Match, and each part of the window beyond the form's own controls
// is a feature of its own (the field, the opponents, take-back and hints,
// the viewer of games, the records, network play, the hidden tools); the
// handlers keep the names of the control and event that run them (N2Click
// is «Начать новую», GamePoleClick a click on the field) and hand the work
// to the feature it belongs to.

#include <QMainWindow>

#include <functional>
#include <memory>

#include "engine/random.h"
#include "game/app_options.h"
#include "game/desktop.h"
#include "game/field_presenter.h"
#include "game/game_viewer.h"
#include "game/network_game.h"
#include "game/prompts.h"
#include "game/records_keeper.h"
#include "game/settings.h"
#include "game/settings_store.h"
#include "game/status_panels.h"
#include "game/window_boxes.h"
#include "match/match.h"

class QAction;
class QByteArray;
class QMenu;
class QTcpSocket;
class QTimer;

namespace solvar::net {
class PeerLink;
}

namespace solvar::dialogs {
class TAboutFrm;
class TForm4;
class TForm5;
}  // namespace solvar::dialogs

namespace solvar::game {

class GameLayout;
class GameLog;
class GameReview;
class HelpWindow;
class HiddenTools;
class Opponents;
class ScorePanel;
class StatusPanels;
class TakeBackAndHints;
class GameSounds;
class OpeningChoices;
class TimeControls;
class WindowEvents;

class TForm1 : public QMainWindow {
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

  // The field and the score panel.
  void GamePoleMouseMove(int x, int y);
  void GamePoleClick();
  void BitBtn2Click();  // "Сдаться"
  void BitBtn3Click();  // "Просмотр предыдущего хода"
  void BitBtn4Click();  // "Обновить"

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

  // The window's parts, for the tests and tools that drive it.
  match::Match& Game() { return *m_match; }
  Settings& CurrentSettings() { return m_settings; }
  RecordsKeeper& Records() { return *m_records; }
  FieldPresenter& Field() { return *m_field; }
  GameViewer& Viewer() { return *m_viewer; }
  GameReview& Review() { return *m_review; }
  TimeControls& Clocks() { return *m_clocks; }
  GameSounds& Sounds() { return *m_sounds; }
  NetworkGame& Network() { return *m_network; }
  WindowBoxes& Boxes() { return *m_boxes; }
  // Appends one line to the game log.
  void Log(const QString& line);
  // A time control of the player's own; none when the dialog is cancelled.
  std::optional<match::TimeControl> AskTimeControl(const match::TimeControl& current);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void FormCreate();
  void FormClose();
  void CreateMenu();
  void OnGameStarted();
  void OnGameEnded();
  void ChooseColor(render::Color& color);

  // A handler for a signal: the member function run inside the guard.
  template <class... Args>
  auto GuardedHandler(void (TForm1::*handler)(Args...)) {
    return [this, handler](Args... args) { m_boxes->Guarded([&] { (this->*handler)(args...); }); };
  }
  // A handler for a socket's signal: guarded, and marked as running inside
  // the socket's signal, so that every box it asks for is shown afterwards.
  template <class... Args>
  auto SocketHandler(void (TForm1::*handler)(Args...)) {
    return [this, handler](Args... args) { m_boxes->InSocketHandler([&] { (this->*handler)(args...); }); };
  }

  AppOptions m_options;
  Desktop& m_desktop;
  std::unique_ptr<SettingsStore> m_store;
  Settings m_settings;
  engine::Random m_random;
  std::unique_ptr<WindowBoxes> m_boxes;
  std::unique_ptr<WindowEvents> m_events;
  std::unique_ptr<RecordsKeeper> m_records;
  std::unique_ptr<match::Match> m_match;
  QWidget* m_content = nullptr;
  GameLog* m_memo3 = nullptr;
  std::unique_ptr<StatusPanels> m_status;
  ScorePanel* m_panel1 = nullptr;
  std::unique_ptr<FieldPresenter> m_field;
  std::unique_ptr<NetworkGame> m_network;
  std::unique_ptr<Opponents> m_opponents;
  std::unique_ptr<TakeBackAndHints> m_takeBack;
  std::unique_ptr<GameViewer> m_viewer;
  std::unique_ptr<GameReview> m_review;
  TimeControls* m_clocks = nullptr;
  OpeningChoices* m_openings = nullptr;
  GameSounds* m_sounds = nullptr;
  std::unique_ptr<HiddenTools> m_hidden;
  std::unique_ptr<GameLayout> m_layout;
  QTimer* m_timer2 = nullptr;
  dialogs::TForm4* m_form4 = nullptr;
  dialogs::TForm5* m_form5 = nullptr;
  dialogs::TAboutFrm* m_aboutFrm = nullptr;
  HelpWindow* m_helpWindow = nullptr;  // made when first asked for
};

}  // namespace solvar::game
