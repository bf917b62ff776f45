#include "game/hidden_tools.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include "game/field_presenter.h"
#include "game/field_view.h"
#include "game/opponents.h"
#include "game/settings.h"
#include "match/diagnostics.h"
#include "records/position_file.h"

namespace solvar::game {

namespace {

QPushButton* HiddenButton(QWidget& parent, const char* name, const QString& caption) {
  auto* button = new QPushButton(caption, &parent);
  button->setObjectName(QString::fromLatin1(name));
  button->hide();
  return button;
}

}  // namespace

HiddenTools::HiddenTools(QWidget& content, match::Match& match, const Settings& settings, Opponents& opponents,
                         FieldPresenter& field, QString positionFile)
    : m_match(match),
      m_settings(settings),
      m_opponents(opponents),
      m_field(field),
      m_positionFile(std::move(positionFile)),
      m_button1(HiddenButton(content, "Button1", QStringLiteral("PC vs PC"))),
      m_button2(HiddenButton(content, "Button2", QStringLiteral("Okrugaj!!!!"))),
      m_button3(HiddenButton(content, "Button3", QStringLiteral("Pole"))),
      m_button4(HiddenButton(content, "Button4", QStringLiteral("Proverka"))),
      m_bitBtn1(HiddenButton(content, "BitBtn1", QStringLiteral("Назад"))),
      m_memo2(nullptr),
      m_panel2(new ClickablePanel(&content)),
      m_checkBox1(new QCheckBox(QStringLiteral("Ходить за PC"), m_panel2)),
      m_timer1(new QTimer(&content)) {
  auto* memo1 = new QPlainTextEdit(&content);
  memo1->setObjectName(QStringLiteral("Memo1"));
  memo1->hide();
  m_memo2 = new QPlainTextEdit(&content);
  m_memo2->setObjectName(QStringLiteral("Memo2"));
  m_memo2->hide();
  m_panel2->setObjectName(QStringLiteral("Panel2"));
  m_panel2->hide();
  m_checkBox1->setObjectName(QStringLiteral("CheckBox1"));
  m_timer1->setObjectName(QStringLiteral("Timer1"));
  m_timer1->setInterval(10);
}

bool HiddenTools::PlaysForComputer() const { return m_checkBox1->isChecked(); }

void HiddenTools::StartComputerAgainstComputer() {
  match::PrepareSelfPlay(m_match);
  m_timer1->start();
}

void HiddenTools::SelfPlayTick() {
  if (m_settings.Level == ComputerLevel::Strong) {
    if (!m_opponents.SelfPlayRoundAgainstStrong()) m_timer1->stop();
    return;
  }
  engine::Side mover = engine::Side::Own;
  if (m_match.SelfPlay(mover, 2) < 2) m_timer1->stop();
}

void HiddenTools::ShowSurroundCheck() {
  m_field.Field().show();
  match::PlaySurroundCheck(m_match);
}

void HiddenTools::ShowBareGrid() {
  m_match.Frame();
  m_field.RedrawGrid();
}

void HiddenTools::PlayCaptureCheck() { match::PlayCaptureCheck(m_match); }

void HiddenTools::LoadStoredPosition() {
  records::LoadPosition(m_match.Board(), m_positionFile.toStdString());
  m_match.RecordSetupFromBoard();
}

void HiddenTools::CandidateLine(std::string_view line) {
  m_memo2->appendPlainText(QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size())));
}

}  // namespace solvar::game
