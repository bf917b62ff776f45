#include <QtTest>

#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableWidget>

#include "dialogs/about_dialog.h"
#include "dialogs/field_size_dialog.h"
#include "dialogs/jpeg_picture.h"
#include "dialogs/network_options_dialog.h"
#include "dialogs/previous_move_dialog.h"
#include "dialogs/records_dialog.h"
#include "dialogs/style.h"

namespace solvar::dialogs {

class DialogsTest : public QObject {
  Q_OBJECT

  static int Typed(SpinEdit* edit, const QString& text) {
    edit->findChild<QLineEdit*>()->setText(text);
    edit->interpretText();
    return edit->value();
  }

 private Q_SLOTS:
  void fieldSizeStartsAtTheLargestAndBringsTypedValuesIntoRange() {
    TForm4 form;
    QCOMPARE(form.windowTitle(), QStringLiteral("Настойки поля"));
    QCOMPARE(form.ChosenWidth(), 45);
    QCOMPARE(form.ChosenHeight(), 35);
    auto* width = form.findChild<SpinEdit*>(QStringLiteral("SpinEdit1"));
    auto* height = form.findChild<SpinEdit*>(QStringLiteral("SpinEdit2"));
    QCOMPARE(width->findChild<QLineEdit*>()->maxLength(), 2);
    QCOMPARE(Typed(width, QStringLiteral("99")), 45);
    QCOMPARE(Typed(width, QStringLiteral("5")), 15);
    QCOMPARE(Typed(height, QString()), 15);
    QCOMPARE(Typed(height, QStringLiteral("-")), 15);
    QCOMPARE(Typed(height, QStringLiteral("20")), 20);
    int position = 0;
    QString letters = QStringLiteral("ab");
    QCOMPARE(width->validate(letters, position), QValidator::Invalid);
  }

  void networkOptionsTakeEffectAtOnce() {
    bool rival = true, errors = true, second = true;
    TForm5 form({&rival, &errors, &second});
    auto* box = form.findChild<QCheckBox*>(QStringLiteral("CheckBox1"));
    QCOMPARE(box->text(), QStringLiteral("Отображать сообщения об ошибках"));
    QVERIFY(box->isChecked());
    box->click();
    QVERIFY(!errors);
    form.findChild<QCheckBox*>(QStringLiteral("CheckBox4"))->click();
    QVERIFY(!rival);
    QVERIFY(second);
  }

  void bannerDecodesAndADamagedOneGivesNoPicture() {
    const QImage banner = DecodeJpeg(TAboutFrm::DefaultBanner());
    QCOMPARE(banner.size(), QSize(275, 106));
    QByteArray damaged = TAboutFrm::DefaultBanner();
    damaged.truncate(600);
    QVERIFY(DecodeJpeg(damaged).isNull() || DecodeJpeg(damaged).size() == QSize(275, 106));
    QVERIFY(DecodeJpeg(QByteArray("not a picture at all")).isNull());
    QVERIFY(DecodeJpeg(QByteArray()).isNull());
    QByteArray header = TAboutFrm::DefaultBanner().left(20);
    QVERIFY(DecodeJpeg(header).isNull());
  }

  void aboutWindowSwitchesPagesAndHandsOutItsLinks() {
    QStringList opened;
    TAboutFrm form([&](const QString& address) { opened << address; });
    auto* about = form.findChild<QWidget*>(QStringLiteral("Panel1"));
    auto* feedback = form.findChild<QWidget*>(QStringLiteral("Panel2"));
    QVERIFY(!about->isHidden() && feedback->isHidden());
    QTest::mouseClick(form.findChild<QWidget*>(QStringLiteral("Label2")), Qt::LeftButton);
    QVERIFY(about->isHidden() && !feedback->isHidden());
    QTest::mouseClick(form.findChild<QWidget*>(QStringLiteral("Label1")), Qt::LeftButton);
    QVERIFY(!about->isHidden() && feedback->isHidden());
    for (const char* name : {"Image1", "Label15", "Label17", "Label22"})
      QTest::mouseClick(form.findChild<QWidget*>(QString::fromLatin1(name)), Qt::LeftButton);
    QCOMPARE(opened, (QStringList{QStringLiteral("http://solvar.example.org"), QStringLiteral("http://solvar.example.org"),
                                  QStringLiteral("mailto:support@solvar.example.org"),
                                  QStringLiteral("http://solvar.example.org/Information.cgi?type=support")}));
  }

  void labelsChangeColourUnderTheMouse() {
    TAboutFrm form([](const QString&) {});
    auto* close = form.findChild<HoverLabel*>(QStringLiteral("Label3"));
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QCoreApplication::sendEvent(close, &enter);
    QVERIFY(close->styleSheet().contains(QStringLiteral("#ff0000")));
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(close, &leave);
    QVERIFY(close->styleSheet().contains(QStringLiteral("#0000ff")));
    auto* about = form.findChild<HoverLabel*>(QStringLiteral("Label1"));
    QCoreApplication::sendEvent(about, &enter);
    QVERIFY(about->styleSheet().contains(QStringLiteral("#800080")));
    form.show();
    QCoreApplication::sendEvent(close, &enter);
    QTest::mouseClick(close, Qt::LeftButton);
    QVERIFY(!form.isVisible());
    // Opened again, «Закрыть» is blue, not still red from the click.
    form.show();
    QVERIFY(close->styleSheet().contains(QStringLiteral("#0000ff")));
  }

  void linksStayBlueAndUnderlinedWhenTheMouseLeaves() {
    TAboutFrm form([](const QString&) {});
    form.ShowFeedbackPage();
    auto* link = form.findChild<QLabel*>(QStringLiteral("Label15"));
    const QString rest = link->styleSheet();
    QVERIFY(rest.contains(QStringLiteral("#0000ff")) && rest.contains(QStringLiteral("underline")));
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QCoreApplication::sendEvent(link, &enter);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(link, &leave);
    QCOMPARE(link->styleSheet(), rest);
  }

  void recordsGridShowsItsThreeColumnsWhole() {
    TForm6 form;
    records::RecordsTable table;
    form.Fill(table);
    auto* grid = form.findChild<QTableWidget*>(QStringLiteral("StringGrid1"));
    QCOMPARE(grid->columnWidth(0), 17);
    QCOMPARE(grid->columnWidth(1), 169);
    QCOMPARE(grid->columnWidth(2), 47);
    QCOMPARE(grid->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(grid->currentRow(), -1);
    QCOMPARE(grid->focusPolicy(), Qt::NoFocus);
    form.show();
    QVERIFY(grid->viewport()->width() >= 17 + 169 + 47);
  }

  void previousMoveViewerIsWideEnoughForItsTitle() {
    TForm3 form;
    form.ShowSnapshot(QImage(553, 432, QImage::Format_RGB32), 181, 181);
    QVERIFY(form.width() >= TitleWidth(QStringLiteral("Предыдущий ход")));
    QCOMPARE(form.findChild<QLabel*>(QStringLiteral("Image1"))->size(), QSize(181, 181));
    form.ShowSnapshot(QImage(553, 432, QImage::Format_RGB32), 373, 373);
    QCOMPARE(form.size(), QSize(373, 373));
  }

  void damagedBannerShowsAPlainWindow() {
    TAboutFrm form([](const QString&) {}, nullptr, QByteArray("\xFF\xD8\xFF\xE0 broken", 12));
    auto* image = form.findChild<QLabel*>(QStringLiteral("Image1"));
    QVERIFY(image->pixmap().isNull());
    QCOMPARE(form.size(), QSize(280, 358));
  }
};

}  // namespace solvar::dialogs

QTEST_MAIN(solvar::dialogs::DialogsTest)
#include "dialogs_test.moc"
