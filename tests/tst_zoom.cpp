// The lesson zoomed for a projector, on a screen of 1920 x 1080.

#include "app/numbers.h"
#include "app/qbcolor.h"
#include "lessontest.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QSet>
#include <QTest>

using namespace kansu;
using namespace kansu::testing;

class TestZoom : public LessonTest {
    Q_OBJECT
  private slots:
    // The window's keys reach an active window, as the one a teacher uses.
    void init() {
        fixture.start();
        fixture.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(fixture.form.get()));
    }

    void zoomed_data();
    void zoomed();
    void speedBoxShowsItsText_data();
    void speedBoxShowsItsText();
    void speedValueShownWhole_data();
    void speedValueShownWhole();
    void zoomKeysStepWithinTheScreen();
    void fullScreenRoundTrip();
    void presenterRemoteSteps();

  private:
    static QImage shown(PictureBox* box) {
        return box->inner().grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
};

void TestZoom::zoomed_data() {
    addRows<double>("zoom", {{"2", 2.0}, {"1.5", 1.5}});
}

void TestZoom::zoomed() {
    QFETCH(double, zoom);
    Form1& f = form();
    fixture.presenter->setZoom(zoom);
    const auto at = [zoom](double designed) { return roundToInt(designed * zoom); };
    QCOMPARE(f.size(), QSize(at(663), at(558)));
    clickCheckBox(f.Check2);
    clickCheckBox(f.Check3);
    QCOMPARE(f.size(), QSize(at(1010), at(702)));

    // A click where the zoomed button shows presses it.
    const QPoint onSusumu(at(8880 / 15 + 28), at(3600 / 15 + 28));
    QWidget* hit = f.childAt(onSusumu);
    QCOMPARE(hit, f.susumu);
    QTest::mouseClick(hit, Qt::LeftButton, {}, hit->mapFrom(&f, onSusumu));
    QCOMPARE(int(f.StepCount), 15);

    // The board shows its own pixels as blocks: along the frame's top edge
    // only the board's colours, and the labels where the lesson put them.
    const QImage board = shown(f.kokuban);
    QCOMPARE(board.size(), QSize(at(497), at(397)));
    QSet<QRgb> colours;
    for (int x = at(130); x < at(390); ++x)
        for (int y = at(44); y < at(56); ++y)
            colours.insert(board.pixel(x, y));
    const QSet<QRgb> boardColours = {QBColor(15), kansu::QBColor(11), QBColor(14),
                                     QRgb(0xFF008000)};
    QVERIFY(colours.subtract(boardColours).isEmpty());
    QCOMPARE(f.Label4[1]->x(), at(f.Label4[1]->Left()));
    QCOMPARE(f.Label4[1]->y(), at(f.Label4[1]->Top()));
    QCOMPARE(QAccessible::queryAccessibleInterface(f.kokuban)->rect().size(),
             QSize(at(501), at(401)));

    // A mark drawn and taken away again leaves nothing behind.
    clickCheckBox(f.Option1[1]);
    const QImage before = shown(f.gamen);
    QTest::mouseClick(f.susumu, Qt::LeftButton);
    QTest::mouseClick(f.susumu, Qt::LeftButton);
    QVERIFY(differingPixels(before, shown(f.gamen)) > 0);
    QTest::mouseClick(f.modoru, Qt::LeftButton);
    QTest::mouseClick(f.modoru, Qt::LeftButton);
    QCOMPARE(differingPixels(before, shown(f.gamen)), 0);
}

void TestZoom::speedBoxShowsItsText_data() {
    addRows<double>("zoom", {{"0.8, a small screen", 0.8}, {"3", 3.0}});
}

void TestZoom::speedBoxShowsItsText() {
    QFETCH(double, zoom);
    fixture.presenter->setZoom(zoom);
    QComboBox* speed = form().Combo1;
    // The arrow grows and shrinks with the box: its text keeps its room.
    const QRect text = speed->lineEdit()->geometry();
    QVERIFY(text.width() >= QFontMetrics(speed->font()).horizontalAdvance(QStringLiteral("20")));
    QVERIFY(text.right() < speed->width() - roundToInt(15 * zoom));
}

void TestZoom::speedValueShownWhole_data() {
    QTest::addColumn<double>("zoom");
    for (const double zoom : {0.4, 0.82, 1.0, 1.25, 3.0})
        QTest::addRow("%.2f", zoom) << zoom;
}

void TestZoom::speedValueShownWhole() {
    QFETCH(double, zoom);
    fixture.presenter->setZoom(zoom);
    QLineEdit* edit = form().Combo1->lineEdit();
    // Scrolled, the field would show the cursor after the text nearer to
    // its start than the text is wide.
    const auto cursorAt = [edit](int position) {
        edit->setCursorPosition(position);
        edit->grab(); // the field scrolls as it paints
        return edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().left();
    };
    const int start = cursorAt(0);
    const int end = cursorAt(edit->text().size());
    const double wide = QFontMetricsF(edit->font()).horizontalAdvance(edit->text());
    QVERIFY2(end - start >= wide - 1,
             qPrintable(QStringLiteral("%1 %2").arg(end - start).arg(wide)));
}

void TestZoom::zoomKeysStepWithinTheScreen() {
    Form1& f = form();
    const auto key = [&](Qt::Key k) { QTest::keyClick(f.Text1, k, Qt::ControlModifier); };
    key(Qt::Key_Plus);
    QCOMPARE(fixture.presenter->zoom(), 1.25);
    for (int i = 0; i < 5; ++i)
        key(Qt::Key_Plus);
    // 1010 x 702 with both panels fits 1920 x 1080 up to 1.5.
    QCOMPARE(fixture.presenter->zoom(), 1.5);
    key(Qt::Key_Minus);
    QCOMPARE(fixture.presenter->zoom(), 1.25);
    key(Qt::Key_0);
    QCOMPARE(fixture.presenter->zoom(), 1.0);
    QCOMPARE(f.size(), QSize(663, 558));
}

void TestZoom::fullScreenRoundTrip() {
    Form1& f = form();
    fixture.presenter->setZoom(1.25);
    clickCheckBox(f.Check2);
    QTest::mouseClick(f.susumu, Qt::LeftButton);
    const QRect normal = f.geometry();
    QTest::keyClick(f.susumu, Qt::Key_F11);
    QTRY_COMPARE(f.size(), QSize(1920, 1080));
    // The lesson as large as the screen allows, in the middle.
    QCOMPARE(fixture.presenter->zoom(), std::min(1920.0 / 1010, 1080.0 / 558));
    QCOMPARE(f.Text1->text(), QStringLiteral(" 0.5"));
    clickCheckBox(f.Check3); // a taller lesson: smaller, still all in view
    QCOMPARE(fixture.presenter->zoom(), std::min(1920.0 / 1010, 1080.0 / 702));
    QTest::keyClick(f.susumu, Qt::Key_Escape);
    QTRY_COMPARE(f.geometry(), normal.adjusted(0, 0, 0, qRound(144 * 1.25)));
    QCOMPARE(fixture.presenter->zoom(), 1.25);
    QVERIFY(f.Check2->isChecked() && f.Check3->isChecked());
    QCOMPARE(int(f.StepCount), 15);
}

void TestZoom::presenterRemoteSteps() {
    Form1& f = form();
    for (QWidget* focus : {static_cast<QWidget*>(f.Text1), static_cast<QWidget*>(f.Combo1)}) {
        focus->setFocus();
        QTest::keyClick(focus, Qt::Key_PageDown);
        QCOMPARE(int(f.StepCount), 15);
        QCOMPARE(f.Combo1->currentText(), QStringLiteral("20"));
        QTest::keyClick(focus, Qt::Key_PageUp);
        QCOMPARE(int(f.StepCount), 0);
        QCOMPARE(f.focusWidget(), focus);
    }
    // During a run the steps are disabled: the keys do nothing.
    int stepsInPause = -1;
    f.pause = [&](qint32) {
        if (stepsInPause < 0) {
            QTest::keyClick(f.Text1, Qt::Key_PageDown);
            stepsInPause = f.StepCount;
        }
    };
    QTest::mouseClick(f.jidou, Qt::LeftButton);
    QCOMPARE(stepsInPause, 15);
}

QTEST_MAIN(TestZoom)
#include "tst_zoom.moc"
