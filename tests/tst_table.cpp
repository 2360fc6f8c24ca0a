#include "formfixture.h"
#include "table/table.h"

#include <QTest>

using namespace kansu;
using namespace kansu::testing;

class TestTable : public QObject {
    Q_OBJECT
  private slots:
    void init() { fixture.start(); }
    void cleanup() { fixture.form.reset(); }

    void columns_data();
    void columns();
    void noQuantityPrintsChiOnly();
    void halfChiPrintsAndErasesNothing();
    void erasingLeavesOtherColumns();
    void farColumnsAreSkipped();

  private:
    Canvas& table() { return fixture.form->hyo->canvas(); }
    FormFixture fixture;
};

void TestTable::columns_data()
{
    QTest::addColumn<int>("element");
    QTest::addColumn<int>("chi");
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("valueX");
    // Pen positions of the value row, from the lesson's table.
    const double red[] = {50, 113, 166, 219, 272, 325, 378, 431, 484, 537, 600};
    const double blue[] = {60, 113, 166, 219, 262, 315, 368, 421, 474, 527, 580};
    const double yellow[] = {40, 103, 156, 209, 262, 315, 368, 421, 474, 527, 600};
    for (int chi = 0; chi <= 10; ++chi) {
        QTest::addRow("red %d", chi) << 0 << chi << 10.0 - chi << red[chi];
        QTest::addRow("blue %d", chi) << 1 << chi << double(chi * chi) << blue[chi];
        QTest::addRow("yellow %d", chi) << 2 << chi << 100.0 - chi * chi << yellow[chi];
    }
}

void TestTable::columns()
{
    QFETCH(int, element);
    QFETCH(int, chi);
    QFETCH(double, value);
    QFETCH(double, valueX);
    Form1& f = *fixture.form;
    f.Option1[static_cast<size_t>(element)]->setChecked(true);
    f.Text1->setText(QStringLiteral(" %1.0").arg(chi));
    table().clear();
    const QImage blank = table().image();
    DrawTable(f, 0);
    const QImage expected =
        printedNumbers(table(), {{QPointF(53 * chi + 60, 25), chi}, {QPointF(valueX, 70), value}});
    QCOMPARE(differingPixels(expected, table().image()), 0);
    DrawTable(f, 1);
    QCOMPARE(differingPixels(blank, table().image()), 0);
}

void TestTable::noQuantityPrintsChiOnly()
{
    Form1& f = *fixture.form;
    f.Text1->setText(QStringLiteral(" 7.0"));
    table().clear();
    DrawTable(f, 0);
    QCOMPARE(differingPixels(printedNumbers(table(), {{QPointF(431, 25), 7}}), table().image()), 0);
}

void TestTable::halfChiPrintsAndErasesNothing()
{
    Form1& f = *fixture.form;
    f.Option1[2]->setChecked(true);
    f.Text1->setText(QStringLiteral(" 4.0"));
    table().clear();
    DrawTable(f, 0);
    const QImage printed = table().image();
    for (const char* text : {" 4.5", " 0.5", "1e400", "-1e400", "4.000001"}) {
        f.Text1->setText(QString::fromLatin1(text));
        DrawTable(f, 0);
        DrawTable(f, 1);
        QCOMPARE(differingPixels(printed, table().image()), 0);
    }
}

void TestTable::erasingLeavesOtherColumns()
{
    Form1& f = *fixture.form;
    f.Option1[2]->setChecked(true);
    table().clear();
    for (int chi = 0; chi <= 10; ++chi) {
        f.Text1->setText(QStringLiteral(" %1.0").arg(chi));
        DrawTable(f, 0);
    }
    f.Text1->setText(QStringLiteral(" 10.0"));
    DrawTable(f, 1);
    // What is left equals columns 0 ... 9 printed on their own.
    Canvas reference(table().image().size(), table().backgroundColour(), 0xFF000000u,
                     table().font());
    const double valueX[] = {40, 103, 156, 209, 262, 315, 368, 421, 474, 527};
    for (int chi = 0; chi <= 9; ++chi) {
        reference.setPenPosition(QPointF(53 * chi + 60, 25));
        reference.printNumber(chi);
        reference.setPenPosition(QPointF(valueX[chi], 70));
        reference.printNumber(100 - chi * chi);
    }
    QCOMPARE(differingPixels(reference.image(), table().image()), 0);
}

void TestTable::farColumnsAreSkipped()
{
    Form1& f = *fixture.form;
    f.Option1[0]->setChecked(true);
    table().clear();
    const QImage blank = table().image();
    for (const char* text : {"1e300", "-1e300", "1e15", "-40"}) {
        f.Text1->setText(QString::fromLatin1(text));
        DrawTable(f, 0);
    }
    QCOMPARE(differingPixels(blank, table().image()), 0);
    // A whole chi just outside 0 ... 10 is printed with the same formulas.
    f.Text1->setText(QStringLiteral("-1"));
    DrawTable(f, 0);
    QVERIFY(differingPixels(blank, table().image()) > 0);
}

QTEST_MAIN(TestTable)
#include "tst_table.moc"
