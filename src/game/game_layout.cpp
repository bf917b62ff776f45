#include "game/game_layout.h"

#include <QAction>
#include <QActionGroup>
#include <QEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <array>
#include <cmath>

#include "game/field_presenter.h"
#include "game/field_view.h"
#include "game/game_log.h"
#include "game/game_viewer.h"
#include "game/score_panel.h"
#include "game/settings_store.h"
#include "game/status_panels.h"
#include "render/field_painter.h"

namespace solvar::game {

namespace {

constexpr std::array<double, 4> ZoomSteps = {1.0, 1.5, 2.0, 3.0};
// «По размеру окна» never draws the field smaller than at 100 %: a window
// smaller than that scrolls it.
constexpr double SmallestFit = 1.0;
constexpr double LargestFit = 4.0;

QString ProgramTitle() { return QStringLiteral("Логическая игра \"Сольвар\""); }

// The log under the field is as high as at 100 % whatever the zoom: a larger
// field needs no more lines of log.
int LogHeightFor(int fieldHeight) {
  const int pixels = FieldPresenter::FieldPixels(1, fieldHeight, 1.0).height();
  return std::max(45, render::RoundEven(0.3 * pixels));
}

QString Percent(double zoom) { return QStringLiteral("%1 %").arg(render::RoundEven(zoom * 100)); }

}  // namespace

GameLayout::GameLayout(QMainWindow& window, QWidget& content, GameLog& log, const match::Match& match,
                       FieldPresenter& field, ScorePanel& panel, StatusPanels& status, GameViewer& viewer,
                       Settings& settings, SettingsStore& store)
    : QObject(&window),
      m_window(window),
      m_content(content),
      m_log(log),
      m_match(match),
      m_field(field),
      m_panel(panel),
      m_status(status),
      m_viewer(viewer),
      m_settings(settings),
      m_store(store),
      m_keepPlace(new QTimer(this)),
      m_fitAgain(new QTimer(this)) {
  m_window.setWindowTitle(ProgramTitle());
  m_keepPlace->setSingleShot(true);
  m_keepPlace->setInterval(400);
  connect(m_keepPlace, &QTimer::timeout, this, [this] {
    const bool resizable = m_settings.Zoom == FitToWindow;
    m_store.SaveWindowPlace(QRect(m_window.pos(), resizable ? m_window.size() : QSize(1, 1)));
  });
  m_fitAgain->setSingleShot(true);
  m_fitAgain->setInterval(100);
  connect(m_fitAgain, &QTimer::timeout, this, [this] { LayOutAgain(); });
  m_window.installEventFilter(this);
}

void GameLayout::AddZoomMenu(QMenu& view) {
  QMenu* zoom = view.addMenu(QStringLiteral("&Масштаб поля"));
  zoom->menuAction()->setObjectName(QStringLiteral("N40"));
  auto* group = new QActionGroup(this);
  const std::array<std::pair<double, QString>, 5> choices = {{{1.0, QStringLiteral("&100 %\tCtrl+0")},
                                                              {1.5, QStringLiteral("1&50 %")},
                                                              {2.0, QStringLiteral("&200 %")},
                                                              {3.0, QStringLiteral("&300 %")},
                                                              {FitToWindow, QStringLiteral("По размеру &окна")}}};
  int number = 41;
  for (const auto& [factor, caption] : choices) {
    QAction* action = zoom->addAction(caption);
    action->setObjectName(QStringLiteral("N%1").arg(number++));
    action->setCheckable(true);
    action->setChecked(factor == m_settings.Zoom);
    group->addAction(action);
    connect(action, &QAction::triggered, this, [this, factor = factor] { ChooseZoom(factor); });
    m_zoomActions.emplace_back(factor, action);
  }
  // The keys that step the zoom, shown where a player looks for them.
  zoom->addSeparator();
  for (const QString& caption : {QStringLiteral("&Крупнее\tCtrl+="), QStringLiteral("&Мельче\tCtrl+-")}) {
    QAction* step = zoom->addAction(caption);
    const int by = caption.startsWith(QStringLiteral("&Крупнее")) ? +1 : -1;
    step->setObjectName(by > 0 ? QStringLiteral("ZoomIn") : QStringLiteral("ZoomOut"));
    connect(step, &QAction::triggered, this, [this, by] { StepZoom(by); });
  }
  const auto key = [this](QKeySequence keys, std::function<void()> act) {
    auto* shortcut = new QShortcut(keys, &m_window);
    connect(shortcut, &QShortcut::activated, this, std::move(act));
  };
  key(QKeySequence(Qt::CTRL | Qt::Key_Equal), [this] { StepZoom(+1); });
  key(QKeySequence(Qt::CTRL | Qt::Key_Plus), [this] { StepZoom(+1); });
  key(QKeySequence(Qt::CTRL | Qt::Key_Minus), [this] { StepZoom(-1); });
  key(QKeySequence(Qt::CTRL | Qt::Key_0), [this] { ChooseZoom(1.0); });
}

void GameLayout::ChooseZoom(double zoom) {
  m_settings.Zoom = zoom;
  m_store.SaveZoom(zoom);
  for (const auto& [factor, action] : m_zoomActions) action->setChecked(factor == zoom);
  if (zoom == FitToWindow) {
    m_window.setMinimumSize(200, 150);
    m_window.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    m_content.setMinimumSize(0, 0);
    m_content.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  }
  LayOutAgain();
}

void GameLayout::StepZoom(int steps) {
  const double now = m_field.Zoom();
  double next = now;
  if (steps > 0) {
    const auto larger = std::find_if(ZoomSteps.begin(), ZoomSteps.end(), [now](double step) { return step > now + 1e-9; });
    if (larger != ZoomSteps.end()) next = *larger;
  } else {
    for (const double step : ZoomSteps) {
      if (step < now - 1e-9) next = step;
    }
  }
  ChooseZoom(next);
}

void GameLayout::LayOutAgain() {
  if (m_fieldWidth == 0) return SetContentSize(m_log.width(), m_log.height());
  LayOutField(m_fieldWidth, m_fieldHeight);
  if (m_match.InProgress() && !m_viewer.IsShowing()) m_field.FitField();
}

QSize GameLayout::RoomOnScreen() const {
  const QScreen* screen = m_window.screen();
  const QRect available = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1 << 16, 1 << 16);
  const QSize frame = m_window.isVisible() ? m_window.frameGeometry().size() - m_window.size() : QSize(0, 0);
  return QSize(available.width() - frame.width(),
               available.height() - frame.height() - m_window.menuBar()->sizeHint().height() - StatusBarHeight);
}

double GameLayout::ZoomFor(int fieldWidth, int fieldHeight) {
  if (m_settings.Zoom == FitToWindow) {
    const QSize at100 = FieldPresenter::FieldPixels(fieldWidth, fieldHeight, 1.0);
    const int roomWidth = m_content.width() - ScorePanel::Width - ListWidth();
    const int roomHeight = m_content.height() - LogHeightFor(fieldHeight) - GraphHeight();
    const double zoom = std::min(static_cast<double>(roomWidth) / at100.width(),
                                 static_cast<double>(roomHeight) / at100.height());
    return std::clamp(std::floor(zoom * 20) / 20, SmallestFit, LargestFit);
  }
  const QSize room = RoomOnScreen();
  for (auto step = ZoomSteps.rbegin(); step != ZoomSteps.rend(); ++step) {
    if (*step > m_settings.Zoom) continue;
    const QSize pixels = FieldPresenter::FieldPixels(fieldWidth, fieldHeight, *step);
    const int width = pixels.width() + ScorePanel::Width + ListWidth();
    const int height = std::max(pixels.height() + GraphHeight(), m_panel.LeastHeight()) + LogHeightFor(fieldHeight);
    if ((width <= room.width() && height <= room.height()) || *step == ZoomSteps.front()) {
      if (*step < m_settings.Zoom) {
        m_status.Say(QStringLiteral("Поле в масштабе %1").arg(Percent(*step)),
                     QStringLiteral("Масштаб %1 не помещается на экране: поле в масштабе %2")
                         .arg(Percent(m_settings.Zoom), Percent(*step)));
      }
      return *step;
    }
  }
  return 1.0;
}

void GameLayout::StartLayout() {
  m_panel.PreviousMove()->setEnabled(false);
  m_panel.TakeBack()->setVisible(!m_match.IsNetwork());
  m_field.PrepareForGame();
  SetMenusForGame(true);
  const engine::Board& board = m_match.Board();
  LayOutField(board.FieldWidth(), board.FieldHeight());
  m_panel.SetFree(board.PlayableCount());
  const auto name = [this](engine::Side side) { return QString::fromStdString(m_match.PlayerName(side)); };
  m_panel.NameCounters(m_match.IsTwoPlayers() ? name(engine::Side::Own) : QString(), name(engine::Side::Rival));
  if (m_match.IsNetwork()) m_commands.SendMessage->setEnabled(true);
}

// The field's area is one pixel larger than the field each way, under the
// panel and the log, so that the field of a network game (one pixel larger)
// shows whole; where the window cannot hold the field the area is what it
// can hold, and scrolls.
void GameLayout::LayOutField(int fieldWidth, int fieldHeight) {
  m_fieldWidth = fieldWidth;
  m_fieldHeight = fieldHeight;
  m_field.SetZoom(ZoomFor(fieldWidth, fieldHeight), m_repaint);
  m_field.SetFieldSize(fieldWidth, fieldHeight);
  const QSize pixels = m_field.Field().size();
  const int logHeight = LogHeightFor(fieldHeight);
  const bool resizable = m_settings.Zoom == FitToWindow;
  const QSize room = resizable ? QSize(m_content.width(), m_content.height()) : RoomOnScreen();
  const int listWidth = ListWidth();
  const int graphHeight = GraphHeight();
  const int width = std::min(pixels.width(), std::max(1, room.width() - ScorePanel::Width - listWidth));
  const int height = std::min(pixels.height(), std::max(1, room.height() - logHeight - graphHeight));
  const bool whole = width == pixels.width() && height == pixels.height();
  m_field.Area().setGeometry(0, 0, width + (whole ? 1 : 0), height + (whole ? 1 : 0));
  const int panelHeight = std::max(height + graphHeight, m_panel.LeastHeight());
  m_panel.setGeometry(width, 0, ScorePanel::Width, panelHeight);
  PlaceReviewPanels(width, height + (whole ? 1 : 0), panelHeight);
  m_log.setFixedHeight(logHeight);
  SetContentSize(width + ScorePanel::Width + listWidth, panelHeight + logHeight);
  m_panel.show();
}

// The list beside the score panel, as high as it; the graph under the field,
// as wide as it, down to the log.
void GameLayout::PlaceReviewPanels(int fieldWidth, int fieldHeight, int panelHeight) {
  if (m_review.List != nullptr) {
    const int listWidth = ListWidth();
    m_review.List->setGeometry(fieldWidth + ScorePanel::Width, 0, listWidth, panelHeight);
    m_review.List->setVisible(listWidth > 0);
  }
  if (m_review.Graph != nullptr) {
    const bool shown = GraphHeight() > 0;
    m_review.Graph->setGeometry(0, fieldHeight, fieldWidth, std::max(1, panelHeight - fieldHeight));
    m_review.Graph->setVisible(shown);
  }
}

void GameLayout::EndLayout() {
  m_fieldWidth = m_fieldHeight = 0;
  UpdateTitle();
  m_commands.SendMessage->setEnabled(false);
  m_panel.SetCounts(0, 0, 0);
  SetMenusForGame(false);
  m_field.Hide();
  m_panel.hide();
  for (QWidget* panel : {m_review.List, m_review.Graph}) {
    if (panel != nullptr) panel->hide();
  }
  m_status.ClearSaying();
  SetContentSize(m_log.width(), m_log.height());
  m_panel.TakeBack()->hide();
  m_status.ResetCredit();
}

void GameLayout::SetContentSize(int width, int height) {
  if (m_settings.Zoom == FitToWindow) {
    // The window keeps the size it is given; the log takes what the field
    // and the panel leave (all of it between games).
    const int top = m_fieldWidth == 0 ? 0 : m_content.height() - m_log.height();
    m_log.setGeometry(0, top, m_content.width(), m_content.height() - top);
    return;
  }
  width = std::max(width, m_window.statusBar()->sizeHint().width());
  m_content.setFixedSize(width, height);
  m_log.setGeometry(0, height - m_log.height(), width, m_log.height());
  const int menuHeight = m_window.menuBar()->sizeHint().height();
  m_window.setFixedSize(width, menuHeight + height + StatusBarHeight);
  KeepOnScreen();
}

// A window that has grown past the screen's edge moves back onto it.
void GameLayout::KeepOnScreen() {
  const QScreen* screen = m_window.screen();
  if (screen == nullptr || !m_window.isVisible()) return;
  const QRect available = screen->availableGeometry();
  const QRect frame = m_window.frameGeometry();
  const int x = std::max(available.left(), std::min(frame.left(), available.right() + 1 - frame.width()));
  const int y = std::max(available.top(), std::min(frame.top(), available.bottom() + 1 - frame.height()));
  if (x != frame.left() || y != frame.top()) m_window.move(x, y);
}

void GameLayout::UpdateTitle() {
  QString title = ProgramTitle();
  if (m_viewer.IsShowing()) {
    title += m_viewer.TitlePart();
  } else if (m_match.InProgress() && m_match.Rules() == engine::Rules::Sport) {
    title += QStringLiteral(" — спортивные правила");
  }
  m_window.setWindowTitle(title);
}

// A place kept from the last run is taken if it lies on a screen.
void GameLayout::PlaceWindow() {
  const QRect place = m_settings.WindowPlace;
  const QScreen* screen = place.isEmpty() ? nullptr : m_window.screen();
  const bool kept =
      screen != nullptr && screen->availableVirtualGeometry().intersects(QRect(place.topLeft(), QSize(40, 40)));
  m_window.move(kept ? place.topLeft() : QPoint(198, 108));
  if (m_settings.Zoom != FitToWindow) return;
  m_window.resize(kept && place.width() > 1 ? place.size() : FirstFitSize());
}

// A window that fits its field to its size, with no size kept, opens as large
// as the chosen field at 100 % would make it, as far as the screen allows.
QSize GameLayout::FirstFitSize() const {
  const QSize pixels = FieldPresenter::FieldPixels(m_settings.FieldWidth, m_settings.FieldHeight, 1.0);
  const QSize room = RoomOnScreen();
  const int width = pixels.width() + 1 + ScorePanel::Width + ListWidth();
  const int height = std::max(pixels.height() + 1 + GraphHeight(), m_panel.LeastHeight()) +
                     LogHeightFor(m_settings.FieldHeight);
  return QSize(std::min(width, room.width()),
               std::min(height, room.height()) + m_window.menuBar()->sizeHint().height() + StatusBarHeight);
}

bool GameLayout::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &m_window && (event->type() == QEvent::Move || event->type() == QEvent::Resize)) {
    if (m_window.isVisible()) m_keepPlace->start();
    if (event->type() == QEvent::Resize && m_settings.Zoom == FitToWindow) m_fitAgain->start();
  }
  return QObject::eventFilter(watched, event);
}

void GameLayout::SetMenusForGame(bool inGame) {
  m_viewer.SetMenusForGame(inGame);
  m_commands.FieldSettings->setEnabled(!inGame);
  m_commands.Surrender->setEnabled(inGame);
  for (QAction* color : m_commands.Colors) color->setEnabled(!inGame);
  m_commands.Setup->menuAction()->setEnabled(!inGame);
}

}  // namespace solvar::game
