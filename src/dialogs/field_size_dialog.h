#pragma once
// TForm4, "Настойки поля": the field size of the next game.

#include <QDialog>
#include <QSpinBox>

namespace solvar::dialogs {

// A spin edit as the field-size dialog needs it: it takes digits, signs and
// the decimal separator, at most two characters; a value below the range
// gives the minimum, above it the maximum, and text that is not a number the
// minimum.
class SpinEdit : public QSpinBox {
  Q_OBJECT
 public:
  SpinEdit(int minimum, int maximum, int start, QWidget* parent);

  QValidator::State validate(QString& input, int& position) const override;
  int valueFromText(const QString& text) const override;
  void fixup(QString& input) const override;
};

class TForm4 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm4(QWidget* parent = nullptr);
  // "Согласин": the size is taken from both spin edits.
  void BitBtn1Click();
  int ChosenWidth() const;
  int ChosenHeight() const;
  // The size the dialog offers when it opens (the one kept from the last run).
  void SetChosenSize(int width, int height);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  SpinEdit* m_width;
  SpinEdit* m_height;
};

}  // namespace solvar::dialogs
