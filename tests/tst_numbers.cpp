#include "app/numbers.h"

#include <QTest>
#include <charconv>
#include <cmath>
#include <limits>

using namespace kansu;

class TestNumbers : public QObject {
    Q_OBJECT
  private slots:
    void numericValue_data();
    void numericValue();
    void hugeTexts();
    void roundToInt_data();
    void roundToInt();
    void signedNumberText_data();
    void signedNumberText();
    void toolkitReadsAsTheLibrary_data();
    void toolkitReadsAsTheLibrary();
    void toolkitWritesAsTheLibrary();
};

void TestNumbers::numericValue_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::newRow("reset form") << "0.0" << 0.0;
    QTest::newRow("step form") << " 0.5" << 0.5;
    QTest::newRow("ten") << " 10.0" << 10.0;
    QTest::newRow("speed") << "20" << 20.0;
    QTest::newRow("leading zero speed") << "01" << 1.0;
    QTest::newRow("fraction") << "2.5" << 2.5;
    QTest::newRow("no integer part") << ".6" << 0.6;
    QTest::newRow("trailing point") << "5." << 5.0;
    QTest::newRow("many blanks") << "    7" << 7.0;
    QTest::newRow("tab") << "\t3" << 3.0;
    QTest::newRow("negative") << "-3" << -3.0;
    QTest::newRow("plus") << "+4" << 4.0;
    QTest::newRow("letters after digits") << "12abc" << 12.0;
    QTest::newRow("second point") << "1.2.3" << 1.2;
    QTest::newRow("blank inside stops") << "1 2" << 1.0;
    QTest::newRow("exponent") << "1e3" << 1000.0;
    QTest::newRow("negative exponent") << "25E-1" << 2.5;
    QTest::newRow("dangling exponent") << "3e" << 3.0;
    QTest::newRow("exponent sign only") << "3e+" << 3.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("blanks only") << "   " << 0.0;
    QTest::newRow("sign only") << "-" << 0.0;
    QTest::newRow("point only") << "." << 0.0;
    QTest::newRow("letters") << "abc" << 0.0;
    QTest::newRow("nan is no number") << "nan" << 0.0;
    QTest::newRow("inf is no number") << "inf" << 0.0;
    QTest::newRow("hex is no number") << "&H10" << 0.0;
    QTest::newRow("0x reads the zero") << "0x10" << 0.0;
    QTest::newRow("full-width digits") << "２０" << 20.0;
    QTest::newRow("full-width sign") << "－３" << -3.0;
    QTest::newRow("full-width point") << "２．５" << 2.5;
    QTest::newRow("ideographic space") << "\u3000５" << 5.0;
    QTest::newRow("mixed widths") << "1５.０5" << 15.05;
    QTest::newRow("tiny underflows to zero") << "1e-400" << 0.0;
    QTest::newRow("long zero fraction") << "0." + QString(400, '0') + "1" << 0.0;
    QTest::newRow("int overflow is fine") << "2147483648" << 2147483648.0;
}

void TestNumbers::numericValue() {
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(kansu::numericValue(text), expected);
}

void TestNumbers::hugeTexts() {
    const double inf = std::numeric_limits<double>::infinity();
    QCOMPARE(kansu::numericValue(u"1e400"), inf);
    QCOMPARE(kansu::numericValue(u"-1e400"), -inf);
    QCOMPARE(kansu::numericValue(QString(400, '9')), inf);
    QCOMPARE(kansu::numericValue(u"1e99999999999999999999"), inf);
    QCOMPARE(kansu::numericValue(u"1e308"), 1e308);
    QCOMPARE(kansu::numericValue(u"-1e308"), -1e308);
    QCOMPARE(kansu::numericValue(QString(100000, '1')), inf);
}

void TestNumbers::roundToInt_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("expected");
    const double inf = std::numeric_limits<double>::infinity();
    QTest::newRow("whole") << 400.0 << 400;
    QTest::newRow("half to even down") << 2.5 << 2;
    QTest::newRow("half to even up") << 3.5 << 4;
    QTest::newRow("12 ms") << 0.6 * 20 << 12;
    QTest::newRow("negative half") << -2.5 << -2;
    QTest::newRow("nan") << std::nan("") << 0;
    QTest::newRow("inf") << inf << std::numeric_limits<int>::max();
    QTest::newRow("-inf") << -inf << std::numeric_limits<int>::min();
    QTest::newRow("just past int") << 2147483648.0 << std::numeric_limits<int>::max();
    QTest::newRow("far below") << -1e300 << std::numeric_limits<int>::min();
}

void TestNumbers::roundToInt() {
    QFETCH(double, value);
    QFETCH(int, expected);
    QCOMPARE(kansu::roundToInt(value), expected);
}

void TestNumbers::signedNumberText_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("zero") << 0.0 << " 0";
    QTest::newRow("negative zero") << -0.0 << " 0";
    QTest::newRow("five") << 5.0 << " 5";
    QTest::newRow("hundred") << 100.0 << " 100";
    QTest::newRow("negative") << -21.0 << "-21";
    QTest::newRow("fraction") << 0.5 << " 0.5";
    QTest::newRow("shortest") << 0.1 + 0.2 << " 0.30000000000000004";
}

void TestNumbers::signedNumberText() {
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(kansu::signedNumberText(value), expected);
}

// Where the standard library cannot convert doubles, the toolkit does it:
// both must give the same answers.
void TestNumbers::toolkitReadsAsTheLibrary_data() {
    QTest::addColumn<QByteArray>("number");
    for (const char* number :
         {"0", "0.5", "10.0", "-3", "25e-1", "1e308", "1.7976931348623157e308", "1.8e308", "1e400",
          "-1e400", "1e-400", "4.9e-324", "2e-324", "1e-310", "2.2250738585072014e-308",
          "0.30000000000000004", "123456789012345678901234567890", "1e99999999999999999999"})
        QTest::newRow(number) << QByteArray(number);
    QTest::newRow("400 nines") << QByteArray(400, '9');
    QTest::newRow("400 zeros then 1") << "0." + QByteArray(400, '0') + "1";
}

void TestNumbers::toolkitReadsAsTheLibrary() {
    QFETCH(QByteArray, number);
    double expected = 0;
    const auto [end, error] =
        std::from_chars(number.constData(), number.constData() + number.size(), expected);
    const auto read = kansu::toolkitReadDouble(std::string_view(number.constData(), number.size()));
    QCOMPARE(read.has_value(), error != std::errc::result_out_of_range);
    if (read)
        QCOMPARE(*read, expected);
}

void TestNumbers::toolkitWritesAsTheLibrary() {
    QList<double> values{0,
                         1,
                         5,
                         10,
                         100,
                         0.5,
                         0.1 + 0.2,
                         1e-5,
                         0.0001,
                         1e15,
                         1e16,
                         1e21,
                         1e22,
                         123456789,
                         1.5e300,
                         5e-324,
                         2.5e-7,
                         1234.5678,
                         std::numeric_limits<double>::max(),
                         std::numeric_limits<double>::min()};
    for (int i = 0; i < 2000; ++i) // steps of chi and y of every kind, then any double
        values << i / 30.0 << (i / 30.0) * (i / 30.0) << std::ldexp(i * 7919.0 + 1, i % 200 - 100);
    for (const double v : values) {
        char buffer[64];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
        QCOMPARE(kansu::toolkitShortestText(v), QString::fromLatin1(buffer, result.ptr - buffer));
    }
}

QTEST_APPLESS_MAIN(TestNumbers)
#include "tst_numbers.moc"
