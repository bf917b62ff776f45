#pragma once
// Colours and fonts shared by the program's windows.

#include <QColor>
#include <QFont>
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

// A label in the given font and colour, placed at (x, y) in its parent.
inline QLabel* PlacedLabel(QWidget* parent, const QString& text, const QFont& font, QRgb color, int x, int y) {
  auto* label = new QLabel(text, parent);
  label->setFont(font);
  SetTextColor(label, color);
  label->move(x, y);
  return label;
}

}  // namespace solvar::dialogs
