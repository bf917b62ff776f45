#include "dialogs/network_options_dialog.h"

#include <QCheckBox>
#include <QGroupBox>

#include "dialogs/style.h"

namespace solvar::dialogs {

namespace {

void AddOption(QGroupBox* group, const char* name, const QString& caption, int top, bool* option) {
  auto* box = new QCheckBox(caption, group);
  box->setObjectName(QString::fromLatin1(name));
  box->setGeometry(8, top, 305, 17);
  SetTextColor(box, Blue);
  box->setChecked(*option);
  QObject::connect(box, &QCheckBox::toggled, box, [option](bool checked) { *option = checked; });
}

}  // namespace

TForm5::TForm5(NetworkOptionBoxes options, QWidget* parent) : QDialog(parent) {
  SetUpDialog(this, QStringLiteral("TForm5"), QStringLiteral("Настойки"));
  setFixedSize(336, 107);
  setFont(ArialFont(13));
  auto* group = new QGroupBox(QStringLiteral("Настройка игры по сети"), this);
  group->setObjectName(QStringLiteral("GroupBox1"));
  group->setGeometry(8, 4, 320, 95);
  SetTextColor(group, Blue);
  AddOption(group, "CheckBox4", QStringLiteral("Отображать сообщения соперника"), 16 + 4, options.ShowRivalMessages);
  AddOption(group, "CheckBox1", QStringLiteral("Отображать сообщения об ошибках"), 40 + 4, options.ShowErrorMessages);
  AddOption(group, "CheckBox2", QStringLiteral("Отображать сообщении об 2 подключении"), 64 + 4,
            options.ShowSecondConnection);
}

}  // namespace solvar::dialogs
