// Safe from slips, playable from the keyboard, and the finished game kept in
// view: the questions before a game is lost, the field's keys, the menus'
// letters and shortcuts, the last game in the viewer.

#include <QtTest>

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>

#include <map>

#include "game/field_view.h"
#include "game/qt_prompts.h"
#include "game_window.h"
#include "render/field_painter.h"

namespace solvar::game {

using engine::Node;
using test::FirstFreeNode;
using test::GameWindow;

namespace {

const QString EndQuestion = QStringLiteral("Прервать партию?");

// Clicks free nodes until the game ends by the count.
void PlayToTheEnd(GameWindow& w) {
  for (int clicks = 0; w->Game().InProgress() && clicks < 1000; ++clicks) w.Click(FirstFreeNode(w->Game()));
}

void ShowActive(GameWindow& w) {
  w->show();
  QVERIFY(QTest::qWaitForWindowActive(w.window.get()));
}

// Where the keyboard's cursor stands, from its square on the field.
Node CursorNode(GameWindow& w) {
  const QPoint centre = w.Find<NodeCursor>("NodeCursor")->geometry().center() - w.Pole()->pos();
  return Node{(centre.x() + 1) / 12, (centre.y() + 1) / 12};
}

// Runs `answer` on the next modal box once it is up.
void WhenModalOpens(std::function<void(QWidget* modal)> answer) {
  auto* timer = new QTimer;
  timer->setInterval(5);
  QObject::connect(timer, &QTimer::timeout, [timer, answer = std::move(answer)] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      timer->stop();
      timer->deleteLater();
      answer(modal);
    }
  });
  timer->start();
}

// The text of a menu item as shown, without its underlined letter's mark.
QString Shown(const QAction* action) {
  QString text = action->text();
  return text.remove(QLatin1Char('&'));
}

}  // namespace

class KeyboardTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void everyWayOfEndingAGameAsksAndNoKeepsIt_data() {
    QTest::addColumn<QString>("way");
    for (const char* way : {"menu", "button", "Ctrl+D", "open", "close", "Ctrl+Q"}) QTest::newRow(way) << QString::fromLatin1(way);
  }

  // Нет leaves the game, the field and the window as they were; Да ends it.
  void everyWayOfEndingAGameAsksAndNoKeepsIt() {
    QFETCH(QString, way);
    GameWindow w;
    w.Open();
    w->Game().Board().SetFieldSize(15, 15);
    ShowActive(w);
    w.Action("N2")->trigger();
    w.Click(Node{5, 5});
    const std::string saved = w.dir.File("game.sgf");
    w.prompts.fileAnswers = {QString::fromStdString(saved)};
    w.Action("N30")->trigger();
    const std::size_t moves = w->Game().Moves().size();
    const QImage picture = w->Field().Picture().Image().copy();
    const auto end = [&] {
      if (way == QLatin1String("menu")) w.Action("N3")->trigger();
      if (way == QLatin1String("button")) w.Find<QToolButton>("BitBtn2")->click();
      if (way == QLatin1String("Ctrl+D")) QTest::keyClick(w.window.get(), Qt::Key_D, Qt::ControlModifier);
      if (way == QLatin1String("open")) w.Action("N31")->trigger();
      if (way == QLatin1String("close")) w->close();
      if (way == QLatin1String("Ctrl+Q")) QTest::keyClick(w.window.get(), Qt::Key_Q, Qt::ControlModifier);
    };
    w.prompts.yesNoAnswers = {false};
    end();
    QCOMPARE(w.prompts.messages.last(), EndQuestion);
    QVERIFY(w->Game().InProgress());
    QCOMPARE(w->Game().Moves().size(), moves);
    QCOMPARE(w->Field().Picture().Image(), picture);
    QVERIFY(w->isVisible() && w.Pole()->isVisible());
    QVERIFY(w.prompts.fileChoices.size() == 1);  // no file dialog after Нет

    w.prompts.fileAnswers = {QString::fromStdString(saved)};
    end();
    if (way == QLatin1String("close") || way == QLatin1String("Ctrl+Q")) {
      QVERIFY(!w->isVisible());  // the program ends with its window
    } else {
      QVERIFY(!w->Game().InProgress());
    }
    if (way == QLatin1String("open")) QVERIFY(w->Viewer().IsShowing());
  }

  // The real box: Нет is the default, so Return and Space say Нет, as does
  // Esc; only Да goes on. The result box's second button is pressed only on
  // purpose.
  void theQuestionBoxSaysNoToEveryKeyButItsYes() {
    QtPrompts prompts;
    const auto ask = [&] {
      return prompts.Message(MessageKind::Warning, EndQuestion, MessageButtons::YesNo);
    };
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Space, Qt::Key_Escape}) {
      WhenModalOpens([key](QWidget* box) { QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : box, key); });
      QVERIFY2(!ask(), qPrintable(QKeySequence(key).toString()));
    }
    QString defaultButton;
    WhenModalOpens([&](QWidget* box) {
      auto* messageBox = qobject_cast<QMessageBox*>(box);
      defaultButton = messageBox->defaultButton()->text();
      for (QAbstractButton* button : messageBox->buttons())
        if (button->text() == QStringLiteral("Да")) button->click();
    });
    QVERIFY(ask());
    QCOMPARE(defaultButton, QStringLiteral("Нет"));

    WhenModalOpens([](QWidget* box) { QTest::keyClick(box, Qt::Key_Return); });
    QVERIFY(!prompts.Offer(QStringLiteral("Ничья! Так получилось!"), QStringLiteral("Посмотреть партию")));
    WhenModalOpens([](QWidget* box) {
      for (QAbstractButton* button : qobject_cast<QMessageBox*>(box)->buttons())
        if (button->text() == QStringLiteral("Посмотреть партию")) button->click();
    });
    QVERIFY(prompts.Offer(QStringLiteral("Ничья! Так получилось!"), QStringLiteral("Посмотреть партию")));
  }

  // A whole 15 x 15 game from the keyboard alone: Ctrl+N, the arrows, Space.
  void wholeGameFromTheKeyboard() {
    GameWindow w;
    w.Open();
    w->Game().Board().SetFieldSize(15, 15);
    ShowActive(w);
    test::ModalCloser closer;
    QTest::keyClick(w.window.get(), Qt::Key_N, Qt::ControlModifier);
    QVERIFY(w->Game().InProgress());
    QCOMPARE(QApplication::focusWidget(), w.Pole());
    QTest::keyClick(w.Pole(), Qt::Key_Up);  // shows the cursor at the centre
    QCOMPARE(CursorNode(w), (Node{7, 7}));
    int keys = 0;
    while (w->Game().InProgress() && keys < 20000) {
      const Node target = FirstFreeNode(w->Game());
      Node at = CursorNode(w);
      for (; at.X != target.X; at.X += at.X < target.X ? 1 : -1, ++keys)
        QTest::keyClick(QApplication::focusWidget(), at.X < target.X ? Qt::Key_Right : Qt::Key_Left);
      for (; at.Y != target.Y; at.Y += at.Y < target.Y ? 1 : -1, ++keys)
        QTest::keyClick(QApplication::focusWidget(), at.Y < target.Y ? Qt::Key_Down : Qt::Key_Up);
      QCOMPARE(w.Label("StatusPanel1"), QStringLiteral("Выбранная точка:%1 %2").arg(target.X).arg(target.Y));
      const std::size_t moves = w->Game().Moves().size();
      QTest::keyClick(QApplication::focusWidget(), (keys % 2) != 0 ? Qt::Key_Space : Qt::Key_Return);
      QVERIFY(w->Game().Moves().size() > moves);
      QCOMPARE(w->Game().Moves()[moves].Dot, target);
      if (w->Game().InProgress()) QCOMPARE(QApplication::focusWidget(), w.Pole());
    }
    QVERIFY(!w->Game().InProgress());
    const QString result = w.prompts.messages.filter(QRegularExpression(QStringLiteral("^(Вы победили|Вы проиграли|Ничья)"))).value(0);
    QVERIFY2(!result.isEmpty(), qPrintable(w.prompts.messages.join(QLatin1Char('|'))));
  }

  // The cursor selects exactly as the mouse: the same preview and status
  // text, nothing on a taken node; each goes on from where the other left.
  void cursorAndMouseShareOneSelection() {
    GameWindow w;
    w.Open();
    w->Game().Board().SetFieldSize(15, 15);
    ShowActive(w);
    w.Action("N2")->trigger();
    QTest::keyClick(w.Pole(), Qt::Key_Right);
    QCOMPARE(w.Label("StatusPanel1"), QStringLiteral("Выбранная точка:7 7"));
    const QImage byKeys = w->Field().Picture().Image().copy();
    w.MoveTo(Node{9, 9});
    QVERIFY(w.Find<NodeCursor>("NodeCursor")->isHidden());
    w.MoveTo(Node{7, 7});
    QCOMPARE(w->Field().Picture().Image(), byKeys);
    QTest::keyClick(w.Pole(), Qt::Key_Right);
    QCOMPARE(w.Label("StatusPanel1"), QStringLiteral("Выбранная точка:8 7"));
    QTest::keyClick(w.Pole(), Qt::Key_Space);
    QCOMPARE(w->Game().Board().At(8, 7), engine::csOwn);
    QTest::keyClick(w.Pole(), Qt::Key_Left);
    QTest::keyClick(w.Pole(), Qt::Key_Right);  // back on the taken node
    QCOMPARE(w.Label("StatusPanel1"), QStringLiteral("Точка не выбрана"));
    // Space there plays nothing, as a click there would not.
    const std::size_t moves = w->Game().Moves().size();
    test::ModalCloser closer;
    QTest::keyClick(w.Pole(), Qt::Key_Space);
    QCOMPARE(w->Game().Moves().size(), moves);
    QCOMPARE(w.prompts.messages.last(), QStringLiteral("Вы не выбрали точку!"));
    // The cursor stops at the field's edge.
    for (int i = 0; i < 20; ++i) QTest::keyClick(w.Pole(), Qt::Key_Left);
    QCOMPARE(CursorNode(w).X, 1);
  }

  // During a game Tab stays on the field; Ctrl+Tab leaves it. No single key
  // ends the game.
  void tabStaysOnTheFieldAndNoSingleKeyEndsTheGame() {
    GameWindow w;
    w.Open();
    ShowActive(w);
    w.Action("N2")->trigger();
    QTest::keyClick(w.Pole(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), w.Pole());
    QTest::keyClick(w.Pole(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), w.Pole());
    QTest::keyClick(w.Pole(), Qt::Key_Tab, Qt::ControlModifier);
    QVERIFY(QApplication::focusWidget() != w.Pole());
    // Wherever the focus went, Space and Return there only ask.
    w.prompts.yesNoAnswers = {false, false, false};
    for (int i = 0; i < 8; ++i) {
      QWidget* focus = QApplication::focusWidget();
      QTest::keyClick(focus, Qt::Key_Space);
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
    }
    QVERIFY(w->Game().InProgress());
  }

  // Every menu and item has one underlined letter, none twice in a menu;
  // the texts are as they were; the shortcuts are those a player looks for.
  void menusHaveTheirLettersAndShortcuts() {
    GameWindow w;
    w.Open();
    const std::map<std::string, std::string> shown = {
        {"N1", "Игра"}, {"N2", "Начать новую"}, {"N37", "Игра вдвоём"}, {"N3", "Сдаться"}, {"N35", "Ход назад"},
        {"N36", "Подсказка"}, {"N4", "Настройки поля"}, {"N5", "Рекорды"}, {"N30", "Сохранить партию…"},
        {"N31", "Открыть партию…"}, {"N38", "Последняя партия"}, {"N7", "Выход"}, {"N8", "Вид"},
        {"N9", "Цвет ваших точек"}, {"N10", "Цвет точек компьютера"}, {"N11", "Цвет фона"}, {"N12", "Цвет сетки"},
        {"N13", "Игра по сети"}, {"N14", "Настоить"}, {"N16", "Создать сервер"}, {"N17", "Подключиться"},
        {"N18", "Послать сообщение"}, {"N20", "Настройки"}, {"N26", "Настройки"}, {"N27", "Уровень компьютера"},
        {"N28", "Обычный"}, {"N29", "Сильный"}, {"N32", "Правила"}, {"N33", "Классические"}, {"N34", "Спортивные"},
        {"N21", "Справка"}, {"N22", "Содержание"}, {"N25", "Обратная связь"}, {"N24", "О программе"},
        {"AnalyseGame", "Анализ партии"}};
    int seen = 0;
    std::function<void(const QList<QAction*>&)> check = [&](const QList<QAction*>& actions) {
      QSet<QChar> letters;
      for (const QAction* action : actions) {
        if (action->isSeparator()) continue;
        const QString text = action->text();
        QCOMPARE(text.count(QLatin1Char('&')), 1);
        const QChar letter = text.at(text.indexOf(QLatin1Char('&')) + 1).toLower();
        QVERIFY2(!letters.contains(letter), qPrintable(text));
        letters.insert(letter);
        const std::string name = action->objectName().toStdString();
        if (shown.count(name) != 0) {
          QCOMPARE(Shown(action), QString::fromStdString(shown.at(name)));
          ++seen;
        }
        if (action->menu() != nullptr) check(action->menu()->actions());
      }
    };
    check(w->menuBar()->actions());
    QCOMPARE(seen, static_cast<int>(shown.size()));
    const std::map<std::string, QKeySequence> keys = {
        {"N2", QKeySequence(Qt::CTRL | Qt::Key_N)}, {"N3", QKeySequence(Qt::CTRL | Qt::Key_D)},
        {"N35", QKeySequence(Qt::CTRL | Qt::Key_Z)}, {"N36", QKeySequence(Qt::CTRL | Qt::Key_H)},
        {"N5", QKeySequence(Qt::CTRL | Qt::Key_R)}, {"N30", QKeySequence(Qt::CTRL | Qt::Key_S)},
        {"N31", QKeySequence(Qt::CTRL | Qt::Key_O)}, {"N7", QKeySequence(Qt::CTRL | Qt::Key_Q)},
        {"N22", QKeySequence(Qt::Key_F1)}};
    for (const auto& [name, key] : keys) QCOMPARE(w.Action(name.c_str())->shortcut(), key);
  }

  // F10 and Alt with a menu's letter open that menu.
  void f10AndAltLetterOpenTheMenus() {
    GameWindow w;
    w.Open();
    ShowActive(w);
    QTest::keyClick(w.window.get(), Qt::Key_F10);
    QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
    QCOMPARE(w->menuBar()->activeAction(), w.Action("N1"));
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
    QTest::keyClick(w->menuBar(), Qt::Key_Escape);
    QTRY_VERIFY(QApplication::activePopupWidget() == nullptr);
    // Alt+С: «Справка».
    const auto cyrillicEs = static_cast<Qt::Key>(QChar(u'С').unicode());
    QTest::sendKeyEvent(QTest::Press, w.window.get(), cyrillicEs, QStringLiteral("с"), Qt::AltModifier);
    QTest::sendKeyEvent(QTest::Release, w.window.get(), cyrillicEs, QStringLiteral("с"), Qt::AltModifier);
    QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
    QCOMPARE(w->menuBar()->activeAction(), w.Action("N21"));
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
  }

  // «Последняя партия» shows the game that has ended at its final position,
  // pixel for pixel as it was played, its marker in the colour of the side
  // that made the last move; Esc leaves it.
  void lastGameShowsTheFinalPictureAndEscLeavesIt() {
    GameWindow w;
    w.Open();
    w->Game().Board().SetFieldSize(15, 15);
    ShowActive(w);
    test::ModalCloser closer;
    QImage final;
    w.prompts.whileOpen = [&](const QString& text) {
      if (text.startsWith(QStringLiteral("Вы ")) || text.startsWith(QStringLiteral("Ничья"))) {
        final = w->Field().Picture().Image().copy(0, 0, 181, 181);
      }
    };
    QVERIFY(!w.Action("N38")->isEnabled());
    w.Action("N2")->trigger();
    PlayToTheEnd(w);
    QVERIFY(!final.isNull());
    QCOMPARE(w.prompts.offers.last(), QStringLiteral("Посмотреть партию"));
    QVERIFY(!w->Viewer().IsShowing() && !w.Pole()->isVisible());
    QVERIFY(w.Action("N38")->isEnabled());
    w.Action("N38")->trigger();
    QVERIFY(w->Viewer().IsShowing() && w.Pole()->isVisible());
    QCOMPARE(w->Field().Picture().Image().copy(0, 0, 181, 181), final);
    const match::PlayedMove& last = w->Game().Moves().back();
    QCOMPARE(w.Find<MarkerShape>("Shape1")->Fill(), w->CurrentSettings().Colors.SideColor(last.Mover));
    QTest::keyClick(w.window.get(), Qt::Key_Escape);
    QVERIFY(!w->Viewer().IsShowing() && !w.Pole()->isVisible());
    // The viewer's keys are off again: the arrows no longer step anything.
    QTest::keyClick(w.window.get(), Qt::Key_Left);
    QVERIFY(!w->Viewer().IsShowing());
  }

  // «Посмотреть партию» in the result box opens the viewer once the game's
  // end is laid out; «Закрыть» leaves it.
  void resultBoxButtonShowsTheGameAndCloseLeavesIt() {
    GameWindow w;
    w.Open();
    w->Game().Board().SetFieldSize(15, 15);
    test::ModalCloser closer;
    w.prompts.offerAnswers = {true};
    w.Action("N2")->trigger();
    PlayToTheEnd(w);
    QVERIFY(w->Viewer().IsShowing());
    const int moves = static_cast<int>(w->Game().Moves().size());
    QCOMPARE(w.Label("StatusPanel1"), QStringLiteral("Ход %1 из %1").arg(moves));
    auto* close = w.Find<QToolButton>("ViewClose");
    QVERIFY(close->isVisibleTo(w.window.get()));
    QCOMPARE(close->toolTip(), QStringLiteral("Закрыть"));
    close->click();
    QVERIFY(!w->Viewer().IsShowing() && !w.Pole()->isVisibleTo(w.window.get()));
  }

  // In the viewer the marker has the mover's colour, and a colour changed
  // while a game is shown is painted at once.
  void viewerMarksEachMoveInItsSidesColourAndTakesNewColoursAtOnce() {
    GameWindow w;
    w.Open();
    w->Game().Board().SetFieldSize(15, 15);
    test::ModalCloser closer;
    w.Action("N2")->trigger();
    PlayToTheEnd(w);
    w.Action("N38")->trigger();
    const std::vector<match::PlayedMove> moves = w->Game().Moves();
    for (int shown : {1, 2, 3}) {
      w->Viewer().ShowMove(shown);
      QCOMPARE(w.Find<MarkerShape>("Shape1")->Fill(),
               w->CurrentSettings().Colors.SideColor(moves[static_cast<std::size_t>(shown - 1)].Mover));
    }
    w->Viewer().ShowMove(1);
    const Node first = moves.front().Dot;
    const render::Color green = 0x00C000;  // $00BBGGRR
    w.prompts.colorAnswers = {green};
    w.Action(moves.front().Mover == engine::Side::Own ? "N9" : "N10")->trigger();
    QCOMPARE(w.FieldPixel(12 * first.X, 12 * first.Y), render::ToRgb(green) & 0xFFFFFF);
  }

  void smallThings() {
    GameWindow w;
    w.Open();
    QCOMPARE(w.Find<QToolButton>("BitBtn3")->toolTip(), QStringLiteral("Просмотр предыдущего хода"));
    w.Action("N2")->trigger();
    w.Action("N29")->trigger();
    QCOMPARE(w.Label("StatusPanel1"), QStringLiteral("Уровень изменится со следующей партии"));
    w.Action("N34")->trigger();
    QCOMPARE(w.Label("StatusPanel1"), QStringLiteral("Правила изменятся со следующей партии"));
    w.prompts.yesNoAnswers = {true};
    w.Action("N3")->trigger();
    // The field-size dialog opens with the typing in «Ширина», also after Esc.
    WhenModalOpens([](QWidget* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
    w.Action("N4")->trigger();
    WhenModalOpens([](QWidget*) {
      QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("20"));
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("16"));
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    w.Action("N4")->trigger();
    QCOMPARE(w->Game().Board().FieldWidth(), 20);
    QCOMPARE(w->Game().Board().FieldHeight(), 16);
  }
};

}  // namespace solvar::game

QTEST_MAIN(solvar::game::KeyboardTest)
#include "keyboard_test.moc"
