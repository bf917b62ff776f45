#include <QtTest>

#include <QCheckBox>
#include <QPushButton>
#include <QSpinBox>

#include "dialogs/field_size_dialog.h"
#include "game_window.h"

namespace solvar::game {

using test::GameWindow;

namespace {

QRgb IconPixel(const GameWindow& w, const char* image, int x, int y) {
  return w.Find<QLabel>(image)->property("picture").value<QImage>().pixel(x, y) & 0xFFFFFF;
}

QRgb Rgb(render::Color color) { return render::ToRgb(color) & 0xFFFFFF; }

}  // namespace

class SettingsTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void agreeingWithoutChangesGivesTheLargestField() {
    GameWindow w;
    w.Open();
    auto* form4 = w.window->findChild<dialogs::TForm4*>(QStringLiteral("TForm4"));
    QTimer::singleShot(0, [form4] { form4->BitBtn1Click(); });
    w.Action("N4")->trigger();
    QCOMPARE(w->Game().Board().FieldWidth(), 45);
    QCOMPARE(w->Game().Board().FieldHeight(), 35);
    w.Action("N2")->trigger();
    QCOMPARE(w.Label("Label6"), QStringLiteral("1496"));
    QCOMPARE(w.Pole()->size(), QSize(541, 421));
  }

  void closingTheFieldDialogOtherwiseChangesNothing() {
    GameWindow w;
    w.Open();
    test::ModalCloser closer;
    w.Action("N4")->trigger();
    QCOMPARE(closer.closed, QStringList{QStringLiteral("TForm4")});
    QCOMPARE(w->Game().Board().FieldWidth(), 31);
  }

  void coloursArePresetAndTheIconsFollow() {
    GameWindow w;
    w.Open();
    const render::FieldColors defaults = w->CurrentSettings().Colors;
    w.Action("N9")->trigger();  // cancelled
    QCOMPARE(w.prompts.colorPresets, std::vector<std::uint32_t>{defaults.OwnColor});
    QCOMPARE(w->CurrentSettings().Colors.OwnColor, defaults.OwnColor);
    w.prompts.colorAnswers = {0x00FF00};
    w.Action("N10")->trigger();
    QCOMPARE(w->CurrentSettings().Colors.RivalColor, 0x00FF00u);
    QCOMPARE(IconPixel(w, "Image2", 14, 10), Rgb(0x00FF00));
    w.prompts.colorAnswers = {0x00FFFF};
    w.Action("N11")->trigger();
    for (const char* icon : {"Image1", "Image2", "Image3"}) QCOMPARE(IconPixel(w, icon, 1, 23), Rgb(0x00FFFF));
    w.prompts.colorAnswers = {std::nullopt};
    w.Action("N12")->trigger();
    QCOMPARE(w.prompts.colorPresets.back(), defaults.GridColor);
    QCOMPARE(IconPixel(w, "Image1", 12, 5), Rgb(defaults.GridColor));
    w.Action("N2")->trigger();
    QCOMPARE(w.FieldPixel(6, 6), Rgb(0x00FFFF));  // the next game paints the new background
  }

  // During a game the field size and the colours cannot be changed; «Вид»
  // itself stays open for the zoom, the list of moves, the coordinates and
  // the sound.
  void settingsMenusAreClosedDuringAGameAndOpenAfterIt() {
    GameWindow w;
    w.Open();
    w.Action("N2")->trigger();
    QVERIFY(!w.Action("N4")->isEnabled());
    for (const char* color : {"N9", "N10", "N11", "N12"}) QVERIFY(!w.Action(color)->isEnabled());
    QVERIFY(w.Action("N8")->isEnabled());
    for (const char* kept : {"N41", "N45", "ShowMoveList", "ShowCoordinates", "SoundOn"}) QVERIFY(w.Action(kept)->isEnabled());
    QVERIFY(w.Action("N20")->isEnabled());
    w.Action("N3")->trigger();
    QVERIFY(w.Action("N4")->isEnabled());
    for (const char* color : {"N9", "N10", "N11", "N12"}) QVERIFY(w.Action(color)->isEnabled());
  }

  void aboutAndFeedbackOpenOnTheirPages() {
    GameWindow w;
    w.Open();
    QStringList shown;
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout, [&] {
      if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
        shown << (dialog->findChild<QWidget*>(QStringLiteral("Panel1"))->isHidden() ? QStringLiteral("feedback")
                                                                                    : QStringLiteral("about"));
        dialog->reject();
      }
    });
    probe.start(5);
    w.Action("N24")->trigger();
    w.Action("N25")->trigger();
    QCOMPARE(shown, (QStringList{QStringLiteral("about"), QStringLiteral("feedback")}));
  }

  void networkOptionsAreReadFromTheirWindow() {
    GameWindow w;
    w.Open();
    QVERIFY(w->CurrentSettings().Network.ShowErrorMessages);
    auto* form5 = w.window->findChild<QDialog*>(QStringLiteral("TForm5"));
    form5->findChild<QCheckBox*>(QStringLiteral("CheckBox1"))->click();
    QVERIFY(!w->CurrentSettings().Network.ShowErrorMessages);
  }
};

}  // namespace solvar::game

QTEST_MAIN(solvar::game::SettingsTest)
#include "settings_test.moc"
