#include "app/qbcolor.h"
#include "graph/graph.h"
#include "lessontest.h"

#include <QTest>

using namespace kansu;
using namespace kansu::testing;

namespace {
constexpr int kNone = -1;
} // namespace

class TestGraph : public LessonTest {
    Q_OBJECT
  private slots:
    void gridAndAxes();
    void scaleForEachQuantity_data();
    void scaleForEachQuantity();
    void markCentres_data();
    void markCentres();
    void halfChiChangesNothing();
    void hiddenPanelGetsAxesButNoMark();
    void noQuantityDrawsNoMark();
    void erasingWhereNoMarkIsLooksTheSame();
    void handTypedChiFollowsText_data();
    void handTypedChiFollowsText();

  private:
    void choose(int element) {
        if (element >= 0)
            fixture.form->Option1[static_cast<size_t>(element)]->setChecked(true);
    }
    Canvas& graph() { return fixture.form->gamen->canvas(); }
};

void TestGraph::gridAndAxes() {
    DrawGraphAxes(*fixture.form, 0);
    const QImage& image = graph().image();
    const QRgb green = QBColor(2);
    for (int i = 0; i <= 10; ++i) {
        QCOMPARE(image.pixel(35 + 24 * i, 10) | 0xFF000000u, green);
        QCOMPARE(image.pixel(35 + 24 * i, 300) | 0xFF000000u, green);
    }
    QCOMPARE(image.pixel(35 + 24 * 10, 9) | 0xFF000000u, kPaper); // vertical lines end at y = 10
    for (int i = 0; i <= 20; ++i) {
        QCOMPARE(image.pixel(290, 500 - 24 * i) | 0xFF000000u, green);
        QCOMPARE(image.pixel(291, 500 - 24 * i) | 0xFF000000u, kPaper);
    }
    // The axes are doubled one pixel outside the grid; the y numbers end
    // close to them and may touch them in black.
    const QRect yAxis(34, 10, 2, 491);
    QCOMPARE(pixelsOfColour(image, yAxis, green) + pixelsOfColour(image, yAxis, QBColor(0)),
             2 * 491);
    QCOMPARE(pixelsOfColour(image, QRect(34, 500, 257, 2), green), 2 * 257);
    QCOMPARE(image.pixel(33, 300) | 0xFF000000u, kPaper);
    QCOMPARE(graph().penWidth(), 1);
    QCOMPARE(graph().drawingColour(), QBColor(0));
}

void TestGraph::scaleForEachQuantity_data() {
    QTest::addColumn<int>("element");
    QTest::addColumn<bool>("lengthScale");
    QTest::addColumn<bool>("squared");
    QTest::newRow("none") << kNone << false << false;
    QTest::newRow("red") << 0 << true << false;
    QTest::newRow("blue") << 1 << false << true;
    QTest::newRow("yellow") << 2 << false << true;
}

void TestGraph::scaleForEachQuantity() {
    QFETCH(int, element);
    QFETCH(bool, lengthScale);
    QFETCH(bool, squared);
    choose(element);
    DrawGraphAxes(*fixture.form, 0);
    const QImage drawn = graph().image();

    // Every number of the scales must be on the panel at its pen position.
    Canvas reference(drawn.size(), kPaper, QBColor(0), graph().font());
    for (int i = 1; i <= 10; ++i) {
        reference.setPenPosition(QPointF(29 + 24 * i - (i > 9 ? 3 : 0), 505));
        reference.printNumber(i);
    }
    for (int i = 1; i <= 20; ++i) {
        const double y = 495 - 24 * i;
        if (lengthScale) {
            reference.setPenPosition(QPointF(i <= 9 ? 20 : 15, y));
            reference.printNumber(i);
        } else {
            reference.setPenPosition(QPointF(i == 1 ? 20 : i == 20 ? 10 : 15, y));
            reference.printNumber(5 * i);
        }
    }
    reference.setPenPosition(QPointF(285, 505));
    reference.print("(cm)");
    reference.setPenPosition(QPointF(25, 505));
    reference.print("0");
    reference.setPenPosition(QPointF(2, 2));
    reference.print("(cm  )");
    const QImage withoutTwo = reference.image();
    reference.setPenPosition(QPointF(22, 0));
    reference.print("2");
    const QImage withTwo = reference.image();
    const QImage& expected = squared ? withTwo : withoutTwo;

    const QRgb black = QBColor(0);
    int missing = 0;
    int extra = 0;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x) {
            const bool want = (expected.pixel(x, y) | 0xFF000000u) == black;
            const bool have = (drawn.pixel(x, y) | 0xFF000000u) == black;
            missing += want && !have;
            extra += have && !want;
        }
    QCOMPARE(missing, 0);
    QCOMPARE(extra, 0);
    // The raised "2" really shows in the gap of "(cm  )".
    QVERIFY(differingPixels(withTwo, withoutTwo) > 3);
}

void TestGraph::markCentres_data() {
    QTest::addColumn<int>("element");
    QTest::addColumn<int>("chi");
    QTest::addColumn<QPointF>("centre");
    const double red[] = {260, 284, 308, 332, 356, 380, 404, 428, 452, 476, 500};
    const double blue[] = {500, 495.2, 480.8, 456.8, 423.2, 380, 327.2, 264.8, 192.8, 111.2, 20};
    const double yellow[] = {20, 24.8, 39.2, 63.2, 96.8, 140, 192.8, 255.2, 327.2, 408.8, 500};
    for (int chi = 0; chi <= 10; ++chi) {
        const double x = 35 + 24 * chi;
        QTest::addRow("red %d", chi) << 0 << chi << QPointF(x, red[chi]);
        QTest::addRow("blue %d", chi) << 1 << chi << QPointF(x, blue[chi]);
        QTest::addRow("yellow %d", chi) << 2 << chi << QPointF(x, yellow[chi]);
    }
}

void TestGraph::markCentres() {
    QFETCH(int, element);
    QFETCH(int, chi);
    QFETCH(QPointF, centre);
    Form1& f = *fixture.form;
    choose(element);
    f.Check2->setChecked(true);
    DrawGraphAxes(f, 0);
    const QImage axes = graph().image();
    const QPointF computed = *graphMarkCentre(f, chi);
    QVERIFY(std::abs(computed.x() - centre.x()) < 1e-9);
    QVERIFY(std::abs(computed.y() - centre.y()) < 1e-9);

    f.Text1->setText(QStringLiteral(" %1.0").arg(chi));
    PlotGraph(f, 0);
    // Expected: a black ring of radius 2 at the centre, with the grid,
    // axes and numbers drawn again over it.
    Canvas ring(axes.size(), kPaper, QBColor(0), graph().font());
    ring.setPenWidth(2);
    ring.circle(centre, 2);
    QImage expected = axes;
    int inked = 0;
    for (int y = 0; y < axes.height(); ++y)
        for (int x = 0; x < axes.width(); ++x)
            if (ring.pixel(x, y) == QBColor(0) && (axes.pixel(x, y) | 0xFF000000u) == kPaper) {
                expected.setPixel(x, y, QBColor(0));
                ++inked;
            }
    QVERIFY(inked >= 6);
    QCOMPARE(differingPixels(expected, graph().image()), 0);

    PlotGraph(f, 1);
    QCOMPARE(differingPixels(axes, graph().image()), 0);
}

void TestGraph::halfChiChangesNothing() {
    Form1& f = *fixture.form;
    choose(1);
    f.Check2->setChecked(true);
    // Scribble over a grid line: a call that went on to redraw the axes would repair it.
    graph().line(QPointF(35, 100), QPointF(35, 200), kPaper);
    const QImage before = graph().image();
    for (const char* text : {" 4.5", " 0.5", "9.5", "1e400", "-1e400"}) {
        f.Text1->setText(QString::fromLatin1(text));
        PlotGraph(f, 0);
        PlotGraph(f, 1);
        QCOMPARE(differingPixels(before, graph().image()), 0);
    }
}

void TestGraph::hiddenPanelGetsAxesButNoMark() {
    Form1& f = *fixture.form;
    choose(2);
    QVERIFY(!f.Check2->isChecked());
    DrawGraphAxes(f, 0);
    const QImage axes = graph().image();
    graph().line(QPointF(35, 100), QPointF(35, 200), kPaper);
    f.Text1->setText(QStringLiteral(" 3.0"));
    PlotGraph(f, 0);
    QCOMPARE(differingPixels(axes, graph().image()), 0);
}

void TestGraph::noQuantityDrawsNoMark() {
    Form1& f = *fixture.form;
    f.Check2->setChecked(true);
    DrawGraphAxes(f, 0);
    const QImage axes = graph().image();
    for (int chi = 0; chi <= 10; ++chi) {
        f.Text1->setText(QStringLiteral(" %1.0").arg(chi));
        PlotGraph(f, 0);
    }
    QCOMPARE(differingPixels(axes, graph().image()), 0);
}

void TestGraph::erasingWhereNoMarkIsLooksTheSame() {
    Form1& f = *fixture.form;
    choose(0);
    f.Check2->setChecked(true);
    DrawGraphAxes(f, 0);
    const QImage axes = graph().image();
    for (int chi = 0; chi <= 10; ++chi) {
        f.Text1->setText(QStringLiteral(" %1.0").arg(chi));
        PlotGraph(f, 1);
    }
    QCOMPARE(differingPixels(axes, graph().image()), 0);
}

void TestGraph::handTypedChiFollowsText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("marked");
    QTest::newRow("leading blanks") << "   4" << true;
    QTest::newRow("full-width") << "４" << true;
    QTest::newRow("letters after") << "4cm" << true;
    QTest::newRow("no number is zero") << "abc" << true;
    QTest::newRow("left of the grid") << "-1" << true;
    QTest::newRow("right of the panel") << "12" << false;
    QTest::newRow("far outside") << "1e300" << false;
    QTest::newRow("beyond double") << "1e400" << false;
}

void TestGraph::handTypedChiFollowsText() {
    QFETCH(QString, text);
    QFETCH(bool, marked);
    Form1& f = *fixture.form;
    choose(1);
    f.Check2->setChecked(true);
    DrawGraphAxes(f, 0);
    const QImage axes = graph().image();
    f.Text1->setText(text);
    PlotGraph(f, 0);
    QCOMPARE(differingPixels(axes, graph().image()) > 0, marked);
    PlotGraph(f, 1);
    QCOMPARE(differingPixels(axes, graph().image()), 0);
}

QTEST_MAIN(TestGraph)
#include "tst_graph.moc"
