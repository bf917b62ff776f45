#pragma once
// The records table of the ten best wins: read from its file at start,
// written as soon as a win enters it (so that nothing won is lost if the
// program is killed) and again at exit, the winner's name asked, and the
// table shown in TForm6.

#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "records/records_table.h"

class QWidget;

namespace solvar::dialogs {
class TForm6;
}

namespace solvar::game {

class WindowBoxes;

class RecordsKeeper {
 public:
  // `file` is the records file; empty for the usual place.
  RecordsKeeper(QWidget& window, WindowBoxes& boxes, QString file);

  records::RecordsTable& Table() { return m_table; }
  const QString& File() const { return m_file; }

  // A file that cannot be read shows its error, and a second line that says
  // what became of the records.
  void Load();
  // The folder is made on the first write (the per-user data folder may not
  // exist yet).
  void Save();
  // «Рекорды»: the table in its window.
  void ShowTable();

  void AskWinnerName(std::string_view initial, std::function<void(std::optional<std::string>)> answer);
  void RecordEntered();

 private:
  WindowBoxes& m_boxes;
  QString m_file;
  records::RecordsTable m_table;
  dialogs::TForm6* m_window;
};

}  // namespace solvar::game
