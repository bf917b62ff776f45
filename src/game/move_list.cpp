#include "game/move_list.h"

#include <QHeaderView>
#include <QLocale>
#include <QPainter>
#include <QPixmap>
#include <QScrollBar>

#include <algorithm>

#include "match/game_analysis.h"

namespace solvar::game {

namespace {

enum Column { Number, Side, Node, Taken, Mistake, Columns };

QString FromUtf8(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QIcon SideIcon(render::Color color) {
  QPixmap pixmap(12, 12);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QColor(render::ToRgb(color)).darker(140));
  painter.setBrush(QColor(render::ToRgb(color)));
  painter.drawEllipse(QRectF(1.5, 1.5, 9, 9));
  return QIcon(pixmap);
}

QString TakenText(const match::MoveCaptures& captures) {
  QStringList parts;
  if (captures.Taken > 0) parts << QStringLiteral("+%1").arg(captures.Taken);
  if (captures.Lost > 0) parts << QStringLiteral("−%1").arg(captures.Lost);
  return parts.join(QLatin1Char(' '));
}

QTableWidgetItem* Cell(const QString& text, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter) {
  auto* item = new QTableWidgetItem(text);
  item->setTextAlignment(alignment);
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  return item;
}

QString NodeText(engine::Node node) { return QStringLiteral("%1 - %2").arg(node.X).arg(node.Y); }

}  // namespace

QString SideName(const match::GameRecord& record, engine::Side side) {
  const std::string& name = side == engine::Side::Own ? record.Player1 : record.Player2;
  if (!name.empty()) return FromUtf8(name);
  return side == engine::Side::Own ? QStringLiteral("Сторона 1") : QStringLiteral("Сторона 2");
}

QString DotsText(double dots) {
  const QString text = QLocale(QLocale::Russian).toString(std::abs(dots), 'f', 1);
  return (dots < -0.05 ? QStringLiteral("−") : QString()) + text;
}

MoveList::MoveList(QWidget* parent) : QTableWidget(0, Columns, parent) {
  setObjectName(QStringLiteral("MoveList"));
  setFocusPolicy(Qt::NoFocus);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setHorizontalHeaderLabels({QStringLiteral("№"), QStringLiteral("Кто"), QStringLiteral("Точка"),
                             QStringLiteral("Взято"), QStringLiteral("Ошибка")});
  verticalHeader()->hide();
  verticalHeader()->setDefaultSectionSize(18);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  setColumnWidth(Number, 34);
  setColumnWidth(Node, 46);
  setColumnWidth(Taken, 42);
  setColumnWidth(Mistake, 50);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setWordWrap(false);
  ShowMistakes(false);
  connect(this, &QTableWidget::cellClicked, this, [this](int row, int) {
    if (onChosen) onChosen(row + 1);
  });
}

void MoveList::Clear() {
  setRowCount(0);
  ShowMistakes(false);
}

// «Кто» takes whatever room the other columns leave.
void MoveList::FitNames() {
  int others = 0;
  for (const int column : {Number, Node, Taken, Mistake}) others += isColumnHidden(column) ? 0 : columnWidth(column);
  const int room = width() - 2 * frameWidth() - verticalScrollBar()->sizeHint().width();
  setColumnWidth(Side, std::max(40, room - others));
}

void MoveList::ShowMistakes(bool shown) {
  setColumnHidden(Mistake, !shown);
  FitNames();
}

void MoveList::resizeEvent(QResizeEvent* event) {
  QTableWidget::resizeEvent(event);
  FitNames();
}

void MoveList::ShowMoves(const match::GameRecord& record, const std::vector<match::MoveCaptures>& captures,
                         const render::FieldColors& colors) {
  const int moves = static_cast<int>(std::min(record.Moves.size(), captures.size()));
  FitNames();
  if (rowCount() > moves) setRowCount(moves);
  for (int row = rowCount(); row < moves; ++row) {
    AddRow(row, record.Moves[static_cast<std::size_t>(row)], captures[static_cast<std::size_t>(row)], record, colors);
  }
}

void MoveList::AddRow(int index, const match::PlayedMove& move, const match::MoveCaptures& captures,
                      const match::GameRecord& record, const render::FieldColors& colors) {
  insertRow(index);
  setItem(index, Number, Cell(QString::number(index + 1), Qt::AlignRight | Qt::AlignVCenter));
  QTableWidgetItem* side = Cell(SideName(record, move.Mover));
  side->setToolTip(SideName(record, move.Mover));
  side->setIcon(SideIcon(colors.SideColor(move.Mover)));
  setItem(index, Side, side);
  setItem(index, Node, Cell(NodeText(move.Dot)));
  setItem(index, Taken, Cell(TakenText(captures)));
  setItem(index, Mistake, Cell(QString(), Qt::AlignRight | Qt::AlignVCenter));
}

// The «Ошибка» column stands only while there is an analysis to show; until
// then its room goes to the players' names.
void MoveList::ShowJudgements(const match::GameRecord& record, const std::vector<match::MoveJudgement>& judged) {
  ShowMistakes(!judged.empty());
  for (int row = 0; row < rowCount(); ++row) {
    QString mistakeText;
    QString tip;
    if (row < static_cast<int>(judged.size()) && row < static_cast<int>(record.Moves.size())) {
      const match::PlayedMove& move = record.Moves[static_cast<std::size_t>(row)];
      const match::MoveJudgement& judgement = judged[static_cast<std::size_t>(row)];
      const double loss = match::LossOf(move, judgement);
      const bool isMistake = loss >= match::MistakeLoss;
      if (isMistake) mistakeText = DotsText(-loss);
      tip = QStringLiteral("Перевес стороны 1 (%1) после хода: %2")
                .arg(SideName(record, engine::Side::Own), DotsText(judgement.Lead));
      if (judgement.Best != move.Dot) {
        tip += QStringLiteral("\nЛучше %1: перевес %2").arg(NodeText(judgement.Best), DotsText(judgement.BestLead));
      }
      if (isMistake) tip += QStringLiteral("\nОшибка: потеряно %1").arg(DotsText(loss));
    }
    item(row, Mistake)->setText(mistakeText);
    item(row, Mistake)->setForeground(QColor(0xc0, 0x10, 0x10));
    for (int column = 0; column < Columns; ++column) item(row, column)->setToolTip(tip);
  }
}

void MoveList::MarkShown(int moves) {
  if (moves <= 0 || moves > rowCount()) {
    clearSelection();
    if (moves <= 0) scrollToTop();
    return;
  }
  selectRow(moves - 1);
  scrollToItem(item(moves - 1, Number));
}

}  // namespace solvar::game
