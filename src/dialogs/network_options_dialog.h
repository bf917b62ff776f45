#pragma once
// TForm5, "Настойки": the three display options of network play. Each check
// box takes effect as soon as it is clicked.

#include <QDialog>

class QCheckBox;

namespace solvar::dialogs {

struct NetworkOptionBoxes {
  bool* ShowRivalMessages;
  bool* ShowErrorMessages;
  bool* ShowSecondConnection;
};

class TForm5 : public QDialog {
  Q_OBJECT
 public:
  TForm5(NetworkOptionBoxes options, QWidget* parent = nullptr);
};

}  // namespace solvar::dialogs
