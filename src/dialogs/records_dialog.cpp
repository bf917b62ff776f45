#include "dialogs/records_dialog.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>

#include "dialogs/style.h"
#include "text/cp1251.h"

namespace solvar::dialogs {

namespace {

QTableWidgetItem* Cell(const QString& text, bool fixed) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(Qt::ItemIsEnabled);
  item->setForeground(QColor(Blue));
  if (fixed) item->setBackground(QColor(Cream));
  return item;
}

}  // namespace

TForm6::TForm6(QWidget* parent) : QDialog(parent) {
  SetUpDialog(this, QStringLiteral("TForm6"), QStringLiteral("Рекорды"));
  setFixedSize(263, 291);
  SetBackground(this, White);

  auto* title = new QLabel(QStringLiteral("Таблица рекордов"), this);
  title->setObjectName(QStringLiteral("Label1"));
  title->setAlignment(Qt::AlignCenter);
  title->setGeometry(8, 10, 241, 22);
  title->setFont(ArialFont(13));
  title->setAutoFillBackground(true);
  title->setStyleSheet(QStringLiteral("color: #0000ff; background: #fffbf0;"));

  m_grid = new QTableWidget(this);
  m_grid->setObjectName(QStringLiteral("StringGrid1"));
  m_grid->setGeometry(8, 40, 241, 241);
  m_grid->setColumnCount(3);
  m_grid->horizontalHeader()->hide();
  m_grid->verticalHeader()->hide();
  // The three columns at their own widths, with no scroll bar across and no
  // current cell drawn: the grid is only read.
  m_grid->horizontalHeader()->setMinimumSectionSize(1);
  m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  m_grid->setFocusPolicy(Qt::NoFocus);
  m_grid->setColumnWidth(0, 17);
  m_grid->setColumnWidth(1, 169);
  m_grid->setColumnWidth(2, 47);
  m_grid->verticalHeader()->setDefaultSectionSize(20);
  m_grid->verticalHeader()->setMinimumSectionSize(20);
  m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_grid->setSelectionMode(QAbstractItemView::NoSelection);
  m_grid->setFont(ArialFont(11));
  m_grid->setStyleSheet(QStringLiteral("QTableWidget::item { padding: 0px 2px; }"));
}

void TForm6::Fill(const records::RecordsTable& table) {
  const int count = table.RecordCount();
  m_grid->clearContents();
  m_grid->setRowCount(std::max(count + 1, 2));
  m_grid->setItem(0, 0, Cell(QStringLiteral("#"), true));
  m_grid->setItem(0, 1, Cell(QStringLiteral("Участник"), true));
  m_grid->setItem(0, 2, Cell(QStringLiteral("Очки"), true));
  for (int row = 1; row < m_grid->rowCount(); ++row) {
    m_grid->setItem(row, 0, Cell(row <= count ? QString::number(row) : QString(), true));
    if (row > count) continue;
    const records::RecordEntry& entry = table.Slot(row);
    m_grid->setItem(row, 1, Cell(QString::fromStdString(text::Cp1251ToUtf8(entry.Name)), false));
    m_grid->setItem(row, 2, Cell(QString::number(entry.Score), false));
  }
  m_grid->setCurrentCell(-1, -1);
}

}  // namespace solvar::dialogs
