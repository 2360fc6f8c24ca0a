#include "lessontest.h"
#include "table/table.h"

#include <QTest>

using namespace kansu;
using namespace kansu::testing;

class TestTable : public LessonTest {
    Q_OBJECT
  private slots:
    void columns_data();
    void columns();
    void noQuantityPrintsChiOnly();
    void halfChiPrintsAndErasesNothing();
    void erasingLeavesOtherColumns();
    void farColumnsAreSkipped();

  private:
    Canvas& table() { return fixture.form->hyo->canvas(); }
};

void TestTable::columns_data() {
    QTest::addColumn<int>("element");
    QTest::addColumn<int>("chi");
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("valueX");
    for (int chi = 0; chi <= 10; ++chi)
        for (int element = 0; element < 3; ++element)
            QTest::addRow("%s %d",
                          element == 0   ? "red"
                          : element == 1 ? "blue"
                                         : "yellow",
                          chi)
                << element << chi << quantityValue(element, chi) << tableValueX(element, chi);
}

void TestTable::columns() {
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

void TestTable::noQuantityPrintsChiOnly() {
    Form1& f = *fixture.form;
    f.Text1->setText(QStringLiteral(" 7.0"));
    table().clear();
    DrawTable(f, 0);
    QCOMPARE(differingPixels(printedNumbers(table(), {{QPointF(431, 25), 7}}), table().image()), 0);
}

void TestTable::halfChiPrintsAndErasesNothing() {
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

void TestTable::erasingLeavesOtherColumns() {
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
    QCOMPARE(differingPixels(tableColumns(table(), 2, 0, 9), table().image()), 0);
}

void TestTable::farColumnsAreSkipped() {
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
