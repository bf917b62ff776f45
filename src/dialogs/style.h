#pragma once
// Colours and fonts shared by the program's windows.

#include <QApplication>
#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QLabel>
#include <QPalette>
#include <QWidget>

namespace solvar::dialogs {

inline constexpr QRgb White = 0xFFFFFFFF;
inline constexpr QRgb Blue = 0xFF0000FF;
inline constexpr QRgb Cream = 0xFFFFFBF0;
inline constexpr QRgb Aqua = 0xFF00FFFF;

inline QFont ArialFont(int pixelSize, bool italic = false, bool bold = false) {
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(pixelSize);
  font.setItalic(italic);
  font.setBold(bold);
  return font;
}

inline void SetBackground(QWidget* widget, QRgb color) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, QColor(color));
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

inline void SetTextColor(QWidget* widget, QRgb color) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, QColor(color));
  palette.setColor(QPalette::Text, QColor(color));
  widget->setPalette(palette);
}

// The common frame of the program's small windows: named, titled, a fixed
// dialog border with only the close button.
inline void SetUpDialog(QWidget* dialog, const QString& name, const QString& title) {
  dialog->setObjectName(name);
  dialog->setWindowTitle(title);
  dialog->setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint);
}

// How wide a window must be for its title bar to show the title whole: the
// title in a bold face of the program's font (as window frames usually draw
// it), with room for the frame's buttons.
inline int TitleWidth(const QString& title) {
  QFont font = QApplication::font();
  font.setBold(true);
  return QFontMetrics(font).horizontalAdvance(title) + 120;
}

// A label in the given font and colour, placed at (x, y) in its parent.
inline QLabel* PlacedLabel(QWidget* parent, const QString& text, const QFont& font, QRgb color, int x, int y) {
  auto* label = new QLabel(text, parent);
  label->setFont(font);
  SetTextColor(label, color);
  label->move(x, y);
  return label;
}

}  // namespace solvar::dialogs
