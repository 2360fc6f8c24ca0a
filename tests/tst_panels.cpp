#include "app/qbcolor.h"
#include "graph/graph.h"
#include "lessontest.h"
#include "table/table.h"

#include <QTest>

using namespace kansu;
using namespace kansu::testing;

namespace {
const QStringList kShort = {"赤", "青", "黄"};
const QStringList kLong = {"赤い線の長さ", "青い正方形の面積", "黄色い図形の面積"};
} // namespace

class TestPanels : public LessonTest {
    Q_OBJECT
  private slots:
    void togglesInEveryOrder_data();
    void togglesInEveryOrder();
    void panelsFitTheirWindows();
    void graphDrawnBeforeWideningShows();
    void showingGraphStartsAfresh();
    void showingTableStartsAfresh();
    void hidingKeepsContents();
    void programmaticTickRunsHandler();

  private:
    QStringList captions() const {
        QStringList list;
        for (QRadioButton* o : fixture.form->Option1)
            list << o->text();
        return list;
    }
};

void TestPanels::togglesInEveryOrder_data() {
    // A sequence of clicks: 'g' the graph box, 't' the table box.
    QTest::addColumn<QString>("clicks");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("longCaptions");
    QTest::newRow("graph") << "g" << QSize(1010, 558) << true;
    QTest::newRow("table") << "t" << QSize(663, 702) << true;
    QTest::newRow("graph, table") << "gt" << QSize(1010, 702) << true;
    QTest::newRow("both, graph off") << "gtg" << QSize(663, 702) << false;
    QTest::newRow("both, table off") << "gtt" << QSize(1010, 558) << false;
    QTest::newRow("both off") << "gtgt" << QSize(663, 558) << false;
    QTest::newRow("table, graph, table off") << "tgt" << QSize(1010, 558) << false;
    QTest::newRow("off and on again") << "gtgtg" << QSize(1010, 558) << true;
}

void TestPanels::togglesInEveryOrder() {
    QFETCH(QString, clicks);
    QFETCH(QSize, size);
    QFETCH(bool, longCaptions);
    Form1& f = *fixture.form;
    for (const QChar c : clicks)
        clickCheckBox(c == 'g' ? f.Check2 : f.Check3);
    QCOMPARE(f.size(), size);
    QCOMPARE(captions(), longCaptions ? kLong : kShort);
}

void TestPanels::panelsFitTheirWindows() {
    Form1& f = *fixture.form;
    clickCheckBox(f.Check2);
    QVERIFY(f.rect().contains(f.gamen->geometry()));
    QVERIFY(!f.rect().intersects(f.hyo->geometry()));
    clickCheckBox(f.Check3);
    QVERIFY(f.rect().contains(f.hyo->geometry()));
    clickCheckBox(f.Check2);
    QVERIFY(!f.rect().intersects(f.gamen->geometry()));
    // The long captions fit their buttons.
    clickCheckBox(f.Check2);
    for (QRadioButton* o : f.Option1)
        QVERIFY2(o->sizeHint().width() <= o->width(), qPrintable(o->text()));
}

void TestPanels::graphDrawnBeforeWideningShows() {
    Form1& f = *fixture.form;
    bool drawnWhenWidened = false;
    // Watch the moment the window grows: the panel must already hold its axes.
    struct Watch : QObject {
        Form1* form;
        bool* seen;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Resize && form->width() > 700)
                *seen = form->gamen->canvas().pixel(35, 300) == QBColor(2);
            return false;
        }
    } watch;
    watch.form = &f;
    watch.seen = &drawnWhenWidened;
    f.installEventFilter(&watch);
    clickCheckBox(f.Check2);
    f.removeEventFilter(&watch);
    QVERIFY(drawnWhenWidened);
    // What the window shows of the panel is the panel's drawing.
    const QImage shown = f.gamen->inner().grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(differingPixels(shown, f.gamen->canvas().image()), 0);
}

void TestPanels::showingGraphStartsAfresh() {
    Form1& f = *fixture.form;
    f.Option1[0]->setChecked(true);
    f.gamen->canvas().line(QPointF(100, 100), QPointF(200, 200), QBColor(12));
    f.Text1->setText(QStringLiteral(" 2.0"));
    clickCheckBox(f.Check2);
    QCOMPARE(pixelsOfColour(f.gamen->canvas().image(), QRect(0, 0, 309, 525), QBColor(12)), 0);
    // Only the mark of the current chi: (83, 308) for the red line.
    QVERIFY(pixelsOfColour(f.gamen->canvas().image(), QRect(79, 304, 9, 9), QBColor(0)) >= 6);
}

void TestPanels::showingTableStartsAfresh() {
    Form1& f = *fixture.form;
    f.Option1[1]->setChecked(true);
    f.Text1->setText(QStringLiteral(" 5.0"));
    f.hyo->canvas().setPenPosition(QPointF(60, 25));
    f.hyo->canvas().printNumber(0);
    clickCheckBox(f.Check3);
    const QImage expected =
        printedNumbers(f.hyo->canvas(), {{QPointF(325, 25), 5}, {QPointF(315, 70), 25}});
    QCOMPARE(differingPixels(expected, f.hyo->canvas().image()), 0);
    // At a half chi the frame shows without any numbers.
    clickCheckBox(f.Check3);
    f.Text1->setText(QStringLiteral(" 5.5"));
    clickCheckBox(f.Check3);
    QCOMPARE(differingPixels(printedNumbers(f.hyo->canvas(), {}), f.hyo->canvas().image()), 0);
}

void TestPanels::hidingKeepsContents() {
    Form1& f = *fixture.form;
    f.Option1[2]->setChecked(true);
    clickCheckBox(f.Check2);
    clickCheckBox(f.Check3);
    const QImage graph = f.gamen->canvas().image();
    const QImage table = f.hyo->canvas().image();
    clickCheckBox(f.Check2);
    clickCheckBox(f.Check3);
    QCOMPARE(differingPixels(graph, f.gamen->canvas().image()), 0);
    QCOMPARE(differingPixels(table, f.hyo->canvas().image()), 0);
    // Drawing on a hidden panel goes on.
    f.Text1->setText(QStringLiteral(" 1.0"));
    DrawTable(f, 0);
    QVERIFY(differingPixels(table, f.hyo->canvas().image()) > 0);
}

void TestPanels::programmaticTickRunsHandler() {
    Form1& f = *fixture.form;
    f.Check3->setChecked(true);
    QCOMPARE(f.height(), 702);
    f.Check3->setCheckState(Qt::PartiallyChecked);
    QCOMPARE(f.height(), 702);
    f.Check3->setChecked(false);
    QCOMPARE(f.height(), 558);
}

QTEST_MAIN(TestPanels)
#include "tst_panels.moc"
