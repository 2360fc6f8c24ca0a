#include "app/qbcolor.h"
#include "board/step.h"
#include "graph/graph.h"
#include "lessontest.h"
#include "table/table.h"

#include <QTest>
#include <cmath>

using namespace kansu;
using namespace kansu::testing;

namespace {

const QRect kBoardArea(0, 0, 497, 397);

} // namespace

class TestSteps : public LessonTest {
    Q_OBJECT
  private slots:
    void chiText_data();
    void chiText();
    void wholeLessonThereAndBack_data();
    void wholeLessonThereAndBack();
    void labelsAndLinesFollowChi_data();
    void labelsAndLinesFollowChi();
    void backAtZeroKeepsEntries();
    void forwardAtTenRepaintsTen();
    void gridLiesOnTopAfterSteps();
    void gridSwitchKeepsChi_data();
    void gridSwitchKeepsChi();
    void handTypedChiBeforeBackStep();
    void hiddenPanelsKeepEntries();

  private:
    void click(QPushButton* button, int times = 1) {
        for (int i = 0; i < times; ++i)
            QTest::mouseClick(button, Qt::LeftButton);
    }
    void checkBoard(int s);
    bool markShown(int element, int chi);
    QImage tableWithColumns(int element, int lastChi) {
        return tableColumns(form().hyo->canvas(), element, 0, lastChi);
    }
};

void TestSteps::chiText_data() {
    QTest::addColumn<int>("stepCount");
    QTest::addColumn<QString>("text");
    QTest::newRow("0") << 0 << " 0.0";
    QTest::newRow("15") << 15 << " 0.5";
    QTest::newRow("30") << 30 << " 1.0";
    QTest::newRow("45") << 45 << " 1.5";
    for (int k = 2; k <= 9; ++k) {
        QTest::addRow("%d", 30 * k) << 30 * k << QStringLiteral(" %1.0").arg(k);
        QTest::addRow("%d", 30 * k + 15) << 30 * k + 15 << QStringLiteral(" %1.5").arg(k);
    }
    QTest::newRow("300") << 300 << " 10.0";
}

void TestSteps::chiText() {
    QFETCH(int, stepCount);
    QFETCH(QString, text);
    QCOMPARE(kansu::chiText(static_cast<qint16>(stepCount)), text);
}

// The board at StepCount s: a light cyan square of side s in the frame's
// corner, the rest of the frame yellow, both bounded by the chalk outlines.
void TestSteps::checkBoard(int s) {
    const QImage& board = form().kokuban->canvas().image();
    const int cyan = pixelsOfColour(board, kBoardArea, kCyan);
    const int yellow = pixelsOfColour(board, kBoardArea, kYellow);
    if (s == 0) {
        QCOMPARE(cyan, 0);
        QCOMPARE(yellow, 297 * 297);
    } else if (s == 300) {
        QCOMPARE(cyan, 297 * 297);
        QCOMPARE(yellow, 0);
    } else {
        QCOMPARE(cyan, (s - 3) * (s - 3));
        QCOMPARE(yellow, 297 * 297 - s * s);
        QCOMPARE(form().kokuban->canvas().pixel(100 + s - 2, 50 + s - 2), kCyan);
        QCOMPARE(form().kokuban->canvas().pixel(100 + s + 2, 50 + s + 2), kYellow);
        QCOMPARE(form().kokuban->canvas().pixel(100 + s, 50 + s), QBColor(15));
    }
    QCOMPARE(form().kokuban->canvas().fillStyle(), FillStyle::None);
}

bool TestSteps::markShown(int element, int chi) {
    const double x = 35 + 24 * chi;
    const double y = element == 0   ? 500 - 24 * (10 - chi)
                     : element == 1 ? 500 - 4.8 * chi * chi
                                    : 500 - 4.8 * (100 - chi * chi);
    const QImage& graph = form().gamen->canvas().image();
    // The ring's pixels off the grid lines are black; without a mark they are paper.
    int black = 0;
    for (int dy = -3; dy <= 3; ++dy)
        for (int dx = -3; dx <= 3; ++dx) {
            const QPoint p(qRound(x) + dx, qRound(y) + dy);
            if (graph.rect().contains(p) && (graph.pixel(p) | 0xFF000000u) == QBColor(0))
                ++black;
        }
    return black >= 4;
}

void TestSteps::wholeLessonThereAndBack_data() {
    addRows<int>("element", {{"red", 0}, {"blue", 1}, {"yellow", 2}});
}

void TestSteps::wholeLessonThereAndBack() {
    QFETCH(int, element);
    Form1& f = form();
    showPanelsAndChoose(f, element);
    QVERIFY(markShown(element, 0));
    for (int s = 15; s <= 300; s += 15) {
        const QImage tableBefore = f.hyo->canvas().image();
        const QImage graphBefore = f.gamen->canvas().image();
        click(f.susumu);
        QCOMPARE(int(f.StepCount), s);
        QCOMPARE(f.Text1->text(), kansu::chiText(qint16(s)));
        checkBoard(s);
        if (s % 30 != 0) {
            // A half centimetre changes neither panel.
            QCOMPARE(differingPixels(tableBefore, f.hyo->canvas().image()), 0);
            QCOMPARE(differingPixels(graphBefore, f.gamen->canvas().image()), 0);
            continue;
        }
        QCOMPARE(differingPixels(tableWithColumns(element, s / 30), f.hyo->canvas().image()), 0);
        for (int chi = 0; chi <= 10; ++chi)
            QCOMPARE(markShown(element, chi), chi <= s / 30);
    }
    for (int s = 285; s >= 0; s -= 15) {
        click(f.modoru);
        QCOMPARE(int(f.StepCount), s);
        checkBoard(s);
        QCOMPARE(differingPixels(tableWithColumns(element, s / 30), f.hyo->canvas().image()), 0);
        for (int chi = 0; chi <= 10; ++chi)
            QCOMPARE(markShown(element, chi), chi <= s / 30);
    }
    QCOMPARE(f.Text1->text(), QStringLiteral(" 0.0"));
}

void TestSteps::labelsAndLinesFollowChi_data() {
    QTest::addColumn<int>("element");
    QTest::addColumn<int>("steps");
    for (const int element : {-1, 0, 1, 2})
        for (const int steps : {0, 1, 7, 19, 20})
            QTest::addRow("element %d, %d steps", element, steps) << element << steps;
}

void TestSteps::labelsAndLinesFollowChi() {
    QFETCH(int, element);
    QFETCH(int, steps);
    Form1& f = form();
    if (element >= 0)
        clickCheckBox(f.Option1[static_cast<size_t>(element)]);
    // Below 10 cm go one step past and back, so that the back step places them too.
    click(f.susumu, steps);
    if (steps < 20) {
        click(f.susumu);
        click(f.modoru);
    }
    const double s = 15.0 * steps;
    QCOMPARE(f.Line5[0]->line(), QLineF(100, 50, 100 + s, 50));
    QCOMPARE(f.Label4[1]->Left(), 90 + s / 2);
    QCOMPARE(f.Label4[1]->Top(), 15.0);
    QCOMPARE(f.Label4[0]->Left(), 78.0);
    QCOMPARE(f.Label4[2]->Top(), 190.0);
    if (element == 0) {
        QCOMPARE(f.Line5[1]->line(), QLineF(400, 50, 100 + s, 50));
        QCOMPARE(QPointF(f.Label4[3]->Left(), f.Label4[3]->Top()), QPointF(240 + s / 2, 15));
    } else {
        QCOMPARE(f.Line5[1]->Y1(), 410.0);
        QCOMPARE(f.Line5[1]->Y2(), 410.0);
        QCOMPARE(f.Label4[3]->Top(), 410.0);
    }
    if (element == 1 || element == 2) {
        const double m = element == 1 ? s / 2 : (s + 300) / 2;
        QCOMPARE(QPointF(f.Label4[4]->Left(), f.Label4[4]->Top()), QPointF(90 + m, 40 + m));
        QCOMPARE(QPointF(f.Label4[5]->Left(), f.Label4[5]->Top()), QPointF(138 + m, 40 + m));
        // Half pixels land on the widget rounded the same way everywhere.
        QCOMPARE(f.Label4[4]->x(), int(std::nearbyint(90 + m)));
    } else {
        QCOMPARE(f.Label4[4]->Top(), 410.0);
        QCOMPARE(f.Label4[5]->Top(), 410.0);
    }
}

void TestSteps::backAtZeroKeepsEntries() {
    Form1& f = form();
    showPanelsAndChoose(f, 1);
    const QImage table = f.hyo->canvas().image();
    QCOMPARE(f.Text1->text(), QStringLiteral("0.0"));
    click(f.modoru);
    QCOMPARE(int(f.StepCount), 0);
    QCOMPARE(f.Text1->text(), QStringLiteral(" 0.0"));
    checkBoard(0);
    QCOMPARE(differingPixels(table, f.hyo->canvas().image()), 0);
    QVERIFY(markShown(1, 0));
    click(f.susumu);
    click(f.modoru);
    QCOMPARE(f.Text1->text(), QStringLiteral(" 0.0"));
    QCOMPARE(differingPixels(table, f.hyo->canvas().image()), 0);
}

void TestSteps::forwardAtTenRepaintsTen() {
    Form1& f = form();
    clickCheckBox(f.Check2);
    clickCheckBox(f.Check3);
    clickCheckBox(f.Option1[0]);
    click(f.susumu, 20);
    const QImage table = f.hyo->canvas().image();
    click(f.susumu);
    QCOMPARE(int(f.StepCount), 300);
    QCOMPARE(f.Text1->text(), QStringLiteral(" 10.0"));
    checkBoard(300);
    // Printing the column of 10 again in black changes nothing.
    QCOMPARE(differingPixels(table, f.hyo->canvas().image()), 0);
    QVERIFY(markShown(0, 10));
}

void TestSteps::gridLiesOnTopAfterSteps() {
    Form1& f = form();
    clickCheckBox(f.Check1);
    const Canvas& board = f.kokuban->canvas();
    for (int i = 0; i < 7; ++i) {
        click(f.susumu);
        // The grid is black over the fills and the chalk: along x = 130 + 30 k
        // every pixel from y = 50 to 350 is black.
        for (int k = 0; k <= 10; ++k)
            QCOMPARE(pixelsOfColour(board.image(), QRect(100 + 30 * k, 50, 1, 301), QBColor(0)),
                     301);
        QCOMPARE(board.penWidth(), 3);
    }
    click(f.modoru);
    QCOMPARE(pixelsOfColour(board.image(), QRect(250, 50, 1, 301), QBColor(0)), 301);
}

void TestSteps::gridSwitchKeepsChi_data() {
    addRows<int>("steps", {{"0 cm", 0}, {"5 cm", 10}, {"10 cm", 20}});
}

void TestSteps::gridSwitchKeepsChi() {
    QFETCH(int, steps);
    Form1& f = form();
    click(f.susumu, steps);
    const QImage plain = f.kokuban->canvas().image();
    clickCheckBox(f.Check1);
    QCOMPARE(int(f.StepCount), 15 * steps);
    // 22 black lines one pixel wide, from (100, 50) to (400, 350).
    QCOMPARE(pixelsOfColour(f.kokuban->canvas().image(), kBoardArea, QBColor(0)), 22 * 301 - 121);
    QCOMPARE(f.kokuban->canvas().penWidth(), 3);
    clickCheckBox(f.Check1);
    QCOMPARE(int(f.StepCount), 15 * steps);
    QCOMPARE(f.Text1->text(), kansu::chiText(qint16(15 * steps)));
    QCOMPARE(differingPixels(plain, f.kokuban->canvas().image()), 0);
}

void TestSteps::handTypedChiBeforeBackStep() {
    Form1& f = form();
    clickCheckBox(f.Check2);
    clickCheckBox(f.Check3);
    clickCheckBox(f.Option1[2]);
    click(f.susumu, 10); // columns 0 ... 5
    f.Text1->setText(QStringLiteral("3"));
    click(f.modoru);
    QCOMPARE(f.Text1->text(), QStringLiteral(" 4.5"));
    QVERIFY(!markShown(2, 3));
    QVERIFY(markShown(2, 5));
    // Column 3 is gone, column 5 is still there.
    const QImage left = f.hyo->canvas().image();
    f.Text1->setText(QStringLiteral("3"));
    DrawTable(f, 0);
    QVERIFY(differingPixels(left, f.hyo->canvas().image()) > 0);
    QCOMPARE(differingPixels(tableWithColumns(2, 5), f.hyo->canvas().image()), 0);
}

void TestSteps::hiddenPanelsKeepEntries() {
    Form1& f = form();
    clickCheckBox(f.Check2);
    clickCheckBox(f.Check3);
    clickCheckBox(f.Option1[0]);
    click(f.susumu, 6);
    clickCheckBox(f.Check2);
    clickCheckBox(f.Check3);
    const QImage table = f.hyo->canvas().image();
    const QImage graph = f.gamen->canvas().image();
    click(f.susumu, 6);
    click(f.modoru, 10);
    QCOMPARE(differingPixels(table, f.hyo->canvas().image()), 0);
    QCOMPARE(differingPixels(graph, f.gamen->canvas().image()), 0);
}

QTEST_MAIN(TestSteps)
#include "tst_steps.moc"
