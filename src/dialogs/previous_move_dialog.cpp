#include "dialogs/previous_move_dialog.h"

#include <QLabel>
#include <QPixmap>

#include "dialogs/style.h"

namespace solvar::dialogs {

TForm3::TForm3(QWidget* parent) : QDialog(parent) {
  SetUpDialog(this, QStringLiteral("TForm3"), QStringLiteral("Предыдущий ход"));
  m_image = new QLabel(this);
  m_image->setObjectName(QStringLiteral("Image1"));
  m_image->move(0, 0);
}

void TForm3::ShowSnapshot(const QImage& snapshot, int fieldWidth, int fieldHeight) {
  m_image->setFixedSize(fieldWidth, fieldHeight);
  // A picture at the screen's density keeps its device pixel ratio.
  const qreal ratio = snapshot.devicePixelRatio();
  m_image->setPixmap(QPixmap::fromImage(
      snapshot.copy(0, 0, qRound(fieldWidth * ratio), qRound(fieldHeight * ratio))));
  // The window's outer size is the field plus 10 by 20; its content is the
  // picture itself, never clipped, and it is wider where the title needs it.
  setFixedSize(std::max(fieldWidth, TitleWidth(windowTitle())), fieldHeight);
}

}  // namespace solvar::dialogs
