// The game flow: a new game, the player's move and its answer, the end of a
// game with its result and record, and surrender.

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QToolButton>

#include <cmath>

#include "dialogs/previous_move_dialog.h"
#include "dialogs/records_dialog.h"
#include "game/field_view.h"
#include "game/main_window.h"
#include "game/window_painter.h"
#include "render/field_painter.h"
#include "net/message_codec.h"
#include "text/cp1251.h"

namespace solvar::game {

namespace {

QString MoveLine(const char* prefix, engine::Node node) {
  return QString::fromUtf8(prefix) + QString::number(node.x) + QStringLiteral(" - ") + QString::number(node.y);
}

}  // namespace

int TForm1::LogHeight() const {
  return std::max(45, render::RoundEven(0.3 * m_gamePole->height()));
}

engine::ScanContext TForm1::ScanContextFor() {
  return engine::ScanContext{*m_painter, m_random, m_state.NetworkGame};
}

void TForm1::ScanBothSides() {
  engine::ScanCaptures(m_state.Board, engine::Side::Own, ScanContextFor());
  engine::ScanCaptures(m_state.Board, engine::Side::Rival, ScanContextFor());
}

void TForm1::PlayComputerMove(engine::Side mover) {
  ai::ComputerMove(m_state.Board, mover,
                   ai::MoveContext{*m_painter, m_random, m_state.LastPlayerMove, m_state.NetworkGame});
}

void TForm1::RefreshField() { m_gamePole->update(); }

void TForm1::SetScoreLabels(int own, int rival, int free) {
  m_label2->setText(QString::number(own));
  m_label4->setText(QString::number(rival));
  m_label6->setText(QString::number(free));
}

void TForm1::SetMenusForGame(bool inGame) {
  m_fieldSettings->setEnabled(!inGame);
  m_surrender->setEnabled(inGame);
  m_viewMenu->menuAction()->setEnabled(!inGame);
  m_setupMenu->menuAction()->setEnabled(!inGame);
}

void TForm1::N2Click() {
  if (m_state.GameInProgress &&
      !m_prompts.Message(MessageKind::Warning, QStringLiteral("Вы хотите прервать игру?"), MessageButtons::YesNo)) {
    return;
  }
  Log(QStringLiteral("Новая игра началась!!!"));
  EndGame();
  m_state.NetworkGame = false;
  StartLayout();
  m_gamePole->show();
  m_gamePole->setEnabled(true);
  render::DrawGrid(*m_canvas, m_settings.Colors, m_state.Board.FieldWidth(), m_state.Board.FieldHeight());
  RefreshField();
  m_state.OwnScore = m_state.RivalScore = m_state.FreeCount = 0;
  m_random.Reseed();
  if (m_random.NextReal() > 0.5) {
    m_prompts.Inform(QStringLiteral("Ваш ход первый! Ходите"));
    return;
  }
  m_prompts.Inform(QStringLiteral("Первый ход компьютера!"));
  PlayComputerMove(engine::Side::Rival);
  UpdateScores();  // the counts of the first move, with no end-of-game test
}

void TForm1::StartLayout() {
  engine::FrameBoard(m_state.Board);
  m_bitBtn3->setEnabled(false);
  m_canvas->SetBrush(m_settings.Colors.BackColor);
  m_canvas->SetPen(m_settings.Colors.GridColor);
  m_canvas->Rectangle(-1, -1, m_gamePole->width() + 1, m_gamePole->height() + 1);
  m_state.GameInProgress = true;
  SetMenusForGame(true);
  const int fieldWidth = render::CellSize * m_state.Board.FieldWidth() + 1;
  const int fieldHeight = render::CellSize * m_state.Board.FieldHeight() + 1;
  m_gamePole->setFixedSize(fieldWidth, fieldHeight);
  m_panel1->setGeometry(fieldWidth, 0, m_panel1->width(), fieldHeight);
  m_memo3->setFixedHeight(LogHeight());
  SetContentSize(fieldWidth + m_panel1->width(), fieldHeight + LogHeight());
  m_panel1->show();
  m_label6->setText(QString::number((m_state.Board.FieldHeight() - 1) * (m_state.Board.FieldWidth() - 1)));
  m_shape1->SetFill(m_settings.Colors.RivalColor);
  if (m_state.NetworkGame) m_sendMessage->setEnabled(true);
}

void TForm1::GamePoleMouseMove(int x, int y) {
  const std::string status =
      render::UpdateSelection(*m_canvas, m_settings.Colors, m_state.Board, m_state.SelectedNode, x, y);
  m_selectionPanel->setText(QString::fromUtf8(status.c_str()));
  RefreshField();
}

void TForm1::GamePoleClick() {
  const engine::Node node = m_state.SelectedNode;
  if (node.x == -1 || m_state.Board.At(node) != engine::csFree) {
    m_prompts.Inform(QStringLiteral("Вы не выбрали точку!"));
    return;
  }
  m_snapshot = m_canvas->Image().copy();
  m_bitBtn3->setEnabled(true);
  if (m_checkBox1->isChecked()) {
    m_state.Board.Set(node, engine::csRival);
    return;
  }
  m_state.Board.Set(node, engine::csOwn);
  m_state.LastPlayerMove = node;
  Log(MoveLine("Ваш ход ->> ", node));
  ScanBothSides();
  UpdateScores();
  if (m_state.FreeCount == 0) {
    ShowResult(m_state.OwnScore, m_state.RivalScore);
    EndGame();
    return;
  }
  if (!m_state.NetworkGame) {
    PlayComputerMove(engine::Side::Rival);
  } else {
    SendToPeer(net::PairMessage(net::TagPo, node.x, node.y));
    render::DrawDot(*m_canvas, m_settings.Colors, node, true);
    m_gamePole->setEnabled(false);
    m_state.PeerToMove = true;
    RefreshField();
  }
  UpdateScores();
  if (m_state.FreeCount == 0) {
    ShowResult(m_state.OwnScore, m_state.RivalScore);
    EndGame();
  }
}

QString TForm1::AskWinnerName() {
  const QString initial = QStringLiteral("Студент");
  for (;;) {
    const QString name =
        m_prompts.InputText(QStringLiteral("Победа!!!"), QStringLiteral("Введите ваше имя:"), initial).value_or(initial);
    if (!name.isEmpty()) return name;
  }
}

void TForm1::ShowResult(int own, int rival) {
  if (m_state.NetworkGame) {
    SendToPeer(std::string(own > rival ? net::TagLu : own < rival ? net::TagWi : net::TagDr));
  }
  if (own > rival) {
    m_prompts.Inform(QStringLiteral("Вы победили!!!\nВы окружили ") + QString::number(own) +
                     QStringLiteral(" точек противника."));
    const QString name = AskWinnerName();
    m_records.InsertRecord(records::RecordEntry{text::Utf8ToCp1251(name.toStdString()), own});
    N5Click();
  } else if (own < rival) {
    m_prompts.Inform(QStringLiteral("Вы проиграли!!!\nС раздницей ") + QString::number(rival - own) +
                     QStringLiteral(" точек."));
  } else {
    m_prompts.Inform(QStringLiteral("Ничья! Так получилось!"));
  }
}

void TForm1::EndGame() {
  engine::ClearBoard(m_state.Board);
  m_state.GameInProgress = false;
  m_sendMessage->setEnabled(false);
  SetScoreLabels(0, 0, 0);
  SetMenusForGame(false);
  m_gamePole->hide();
  m_panel1->hide();
  m_selectionPanel->clear();
  SetContentSize(m_memo3->width(), m_memo3->height());
  m_shape1->hide();
  if (m_state.NetworkGame) CloseConnection();
  m_state.NetworkGame = false;
  m_state.PeerToMove = false;
}

void TForm1::UpdateScores() {
  const engine::CellCounts counts = engine::CountCells(m_state.Board);
  m_state.OwnScore = counts.OwnScore;
  m_state.RivalScore = counts.RivalScore;
  m_state.FreeCount = counts.FreeCount;
  SetScoreLabels(counts.OwnScore, counts.RivalScore, counts.FreeCount);
}

void TForm1::BitBtn4Click() {
  UpdateScores();
  ScanBothSides();
  render::DrawAllDots(*m_canvas, m_settings.Colors, m_state.Board);
  RefreshField();
}

void TForm1::N3Click() { EndGame(); }
void TForm1::BitBtn2Click() { EndGame(); }

void TForm1::BitBtn3Click() {
  m_form3->ShowSnapshot(m_snapshot, m_gamePole->width(), m_gamePole->height());
  m_form3->exec();
}

void TForm1::N5Click() {
  m_form6->Fill(m_records);
  m_form6->exec();
}

void TForm1::N22Click() { OpenHelpTopic(m_desktop, m_prompts, m_options.helpFile, 1); }

}  // namespace solvar::game
