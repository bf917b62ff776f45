#pragma once
// TForm3, "Предыдущий ход": the field as it was just before the player's
// last move.

#include <QDialog>

class QLabel;

namespace solvar::dialogs {

class TForm3 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm3(QWidget* parent = nullptr);
  // Sizes the window to the field and shows that part of the snapshot.
  void ShowSnapshot(const QImage& snapshot, int fieldWidth, int fieldHeight);
  QLabel* Picture() const { return m_image; }

 private:
  QLabel* m_image;
};

}  // namespace solvar::dialogs
