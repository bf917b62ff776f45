#pragma once
// TForm6, "Рекорды": the table of the ten best results.

#include <QDialog>

#include "records/records_table.h"

class QTableWidget;

namespace solvar::dialogs {

class TForm6 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm6(QWidget* parent = nullptr);
  // Fills the grid afresh from the table: the header row, then one row per
  // entry, and at least one row below the header.
  void Fill(const records::RecordsTable& table);
  QTableWidget* Grid() const { return m_grid; }

 private:
  QTableWidget* m_grid;
};

}  // namespace solvar::dialogs
