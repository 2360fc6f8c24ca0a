#include "app/qbcolor.h"
#include "lessontest.h"

#include <QSignalSpy>
#include <QTest>

using namespace kansu;
using namespace kansu::testing;

class TestQuantity : public LessonTest {
    Q_OBJECT
  private slots:
    void redThenBlueMovesBoardElements();
    void yellowPlacesAreaLabel();
    void choosingRestartsLesson();
    void choosingSameQuantityRunsNothing();
    void stopStaysUsableWhileRunIsOn();
    void gridDrawnAgainAfterChoice();
    void panelsStartAfreshWhenHidden();
};

void TestQuantity::redThenBlueMovesBoardElements() {
    Form1& f = form();
    clickCheckBox(f.Option1[0]);
    QCOMPARE(f.Line5[1]->line(), QLineF(400, 50, 100, 50));
    QCOMPARE(QPointF(f.Label4[3]->Left(), f.Label4[3]->Top()), QPointF(240, 15));
    QCOMPARE(f.Label4[4]->Top(), 410.0);
    clickCheckBox(f.Option1[1]);
    // Parked below the board; their x stay.
    QCOMPARE(f.Line5[1]->line(), QLineF(400, 410, 100, 410));
    QCOMPARE(QPointF(f.Label4[3]->Left(), f.Label4[3]->Top()), QPointF(240, 410));
    QCOMPARE(QPointF(f.Label4[4]->Left(), f.Label4[4]->Top()), QPointF(90, 40));
    QCOMPARE(QPointF(f.Label4[5]->Left(), f.Label4[5]->Top()), QPointF(138, 40));
}

void TestQuantity::yellowPlacesAreaLabel() {
    Form1& f = form();
    clickCheckBox(f.Option1[2]);
    QCOMPARE(QPointF(f.Label4[4]->Left(), f.Label4[4]->Top()), QPointF(240, 190));
    QCOMPARE(QPointF(f.Label4[5]->Left(), f.Label4[5]->Top()), QPointF(288, 190));
    QTest::mouseClick(f.Command1, Qt::LeftButton);
    QCOMPARE(f.Label4[4]->Top(), 410.0);
    QCOMPARE(f.Label4[5]->Top(), 410.0);
    QCOMPARE(f.Label4[4]->Left(), 240.0);
}

void TestQuantity::choosingRestartsLesson() {
    Form1& f = form();
    showPanelsAndChoose(f, 0);
    for (int i = 0; i < 15; ++i)
        QTest::mouseClick(f.susumu, Qt::LeftButton);
    QCOMPARE(f.Text1->text(), QStringLiteral(" 7.5"));
    clickCheckBox(f.Option1[2]);
    QCOMPARE(int(f.StepCount), 0);
    QCOMPARE(f.Text1->text(), QStringLiteral("0.0"));
    QCOMPARE(pixelsOfColour(f.kokuban->canvas().image(), QRect(0, 0, 497, 397), kYellow),
             297 * 297);
    // The table holds only the column of chi = 0, the graph only its mark.
    QCOMPARE(differingPixels(
                 printedNumbers(f.hyo->canvas(), {{QPointF(60, 25), 0}, {QPointF(40, 70), 100}}),
                 f.hyo->canvas().image()),
             0);
    const QImage& graph = f.gamen->canvas().image();
    QVERIFY(pixelsOfColour(graph, QRect(32, 17, 7, 7), QBColor(0)) >= 4); // (35, 20)
    QCOMPARE(pixelsOfColour(graph, QRect(36, 26, 250, 470), QBColor(0)), 0);
}

void TestQuantity::choosingSameQuantityRunsNothing() {
    Form1& f = form();
    clickCheckBox(f.Option1[1]);
    QTest::mouseClick(f.susumu, Qt::LeftButton);
    QTest::mouseClick(f.susumu, Qt::LeftButton);
    clickCheckBox(f.Option1[1]);
    QCOMPARE(f.Text1->text(), QStringLiteral(" 1.0"));
    QCOMPARE(int(f.StepCount), 30);
}

void TestQuantity::stopStaysUsableWhileRunIsOn() {
    Form1& f = form();
    clickCheckBox(f.Option1[0]);
    QVERIFY(!f.tomeru->isEnabled());
    // jidou is disabled exactly while an automatic run is on.
    f.jidou->setEnabled(false);
    clickCheckBox(f.Option1[1]);
    QVERIFY(f.tomeru->isEnabled());
}

void TestQuantity::gridDrawnAgainAfterChoice() {
    Form1& f = form();
    clickCheckBox(f.Check1);
    QTest::mouseClick(f.susumu, Qt::LeftButton);
    clickCheckBox(f.Option1[2]);
    QCOMPARE(pixelsOfColour(f.kokuban->canvas().image(), QRect(0, 0, 497, 397), QBColor(0)),
             22 * 301 - 121);
}

void TestQuantity::panelsStartAfreshWhenHidden() {
    // The table and graph are started again even while they are not shown.
    Form1& f = form();
    f.hyo->canvas().line(QPointF(0, 0), QPointF(50, 50), QBColor(12));
    f.gamen->canvas().line(QPointF(0, 0), QPointF(50, 50), QBColor(12));
    clickCheckBox(f.Option1[0]);
    QCOMPARE(pixelsOfColour(f.hyo->canvas().image(), QRect(0, 0, 637, 109), QBColor(12)), 0);
    QCOMPARE(pixelsOfColour(f.gamen->canvas().image(), QRect(0, 0, 309, 525), QBColor(12)), 0);
    QVERIFY(pixelsOfColour(f.hyo->canvas().image(), QRect(0, 60, 637, 40), QBColor(0)) > 0);
}

QTEST_MAIN(TestQuantity)
#include "tst_quantity.moc"
