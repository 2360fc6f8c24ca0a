// The lesson on a projector at 200 %: run with QT_SCALE_FACTOR=2.

#include "app/qbcolor.h"
#include "graph/graph.h"
#include "lessontest.h"
#include "presentation/presenter.h"

#include <QApplication>
#include <QSet>
#include <QTest>

using namespace kansu;
using namespace kansu::testing;

class TestHiDpi : public LessonTest {
    Q_OBJECT
  private slots:
    void fittingScale_data();
    void fittingScale();
    void sizesDouble();
    void boardStaysExact();
    void markErasesWithoutResidue();
};

void TestHiDpi::fittingScale_data() {
    QTest::addColumn<QSize>("available");
    QTest::addColumn<double>("current");
    QTest::addColumn<double>("expected");
    const double full = 1.0;
    QTest::newRow("fits at 100 %") << QSize(1920, 1040) << full << 1.0;
    QTest::newRow("fits exactly") << QSize(1018, 729) << 1.5 << 1.5;
    QTest::newRow("too narrow") << QSize(1000, 1000) << full << 1000.0 / 1018;
    QTest::newRow("too low at 200 %") << QSize(960, 500) << 2.0 << 2.0 * 500 / 729;
}

void TestHiDpi::fittingScale() {
    QFETCH(QSize, available);
    QFETCH(double, current);
    QFETCH(double, expected);
    QCOMPARE(kansu::fittingScale(QSize(1018, 729), available, current), expected);
}

void TestHiDpi::sizesDouble() {
    Form1& f = *fixture.form;
    QCOMPARE(f.devicePixelRatioF(), 2.0);
    QCOMPARE(f.size(), QSize(663, 558)); // logical pixels, as at 100 %
    const QPixmap shown = f.kokuban->inner().grab();
    QCOMPARE(shown.size(), QSize(994, 794));
    QCOMPARE(f.kokuban->canvas().image().size(), QSize(497, 397));
}

void TestHiDpi::boardStaysExact() {
    Form1& f = *fixture.form;
    for (int i = 0; i < 7; ++i)
        QTest::mouseClick(f.susumu, Qt::LeftButton);
    // Enlarged without smoothing: only the board's own colours, no blends.
    const QImage shown = f.kokuban->inner().grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QSet<QRgb> boardColours = {0xFF008000, QBColor(15), QBColor(11), QBColor(14)};
    int foreign = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            if (!boardColours.contains(shown.pixel(x, y) | 0xFF000000u)) {
                // Labels and the blue line lie in front of the board.
                const QPoint logical(x / 2, y / 2);
                bool covered = f.Line5[0]->line().p1().y() - 4 < logical.y() &&
                               logical.y() < f.Line5[0]->line().p1().y() + 4;
                for (QLabel* label : f.kokuban->inner().findChildren<QLabel*>())
                    covered = covered || label->geometry().contains(logical);
                foreign += !covered;
            }
    QCOMPARE(foreign, 0);
    // Each board pixel is a 2 x 2 block of the same colour: the frame's edge.
    QCOMPARE(shown.pixel(2 * 99, 2 * 200) | 0xFF000000u, QBColor(15));
    QCOMPARE(shown.pixel(2 * 99 + 1, 2 * 200 + 1) | 0xFF000000u, QBColor(15));
    QCOMPARE(shown.pixel(2 * 102, 2 * 300) | 0xFF000000u, QBColor(14));
}

void TestHiDpi::markErasesWithoutResidue() {
    Form1& f = *fixture.form;
    clickCheckBox(f.Check2);
    clickCheckBox(f.Option1[2]);
    const QImage before = f.gamen->inner().grab().toImage();
    f.Text1->setText(QStringLiteral(" 3.0"));
    PlotGraph(f, 0);
    QVERIFY(differingPixels(before, f.gamen->inner().grab().toImage()) > 0);
    PlotGraph(f, 1);
    QCOMPARE(differingPixels(before, f.gamen->inner().grab().toImage()), 0);
}

int main(int argc, char** argv) {
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    TestHiDpi test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_hidpi.moc"
