#include "formfixture.h"

#include <QAccessible>
#include <QComboBox>
#include <QGroupBox>
#include <QTest>

using namespace kansu;
using namespace kansu::testing;

class TestAccess : public QObject {
    Q_OBJECT
  private slots:
    void init() { fixture.start(); }
    void cleanup() { fixture.form.reset(); }

    void enterAndSpacePressFocusedButton();
    void arrowsMoveWithinQuantities();
    void everyControlHasAName();
    void boardTellsChiAndY_data();
    void boardTellsChiAndY();
    void tableTellsItsColumns();
    void graphTellsItsPoints();

  private:
    QString said(QWidget* widget, QAccessible::Text kind) {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
        return face ? face->text(kind) : QString();
    }
    void step(QPushButton* button, int times) {
        for (int i = 0; i < times; ++i)
            QTest::mouseClick(button, Qt::LeftButton);
    }
    Form1& form() { return *fixture.form; }
    FormFixture fixture;
};

void TestAccess::enterAndSpacePressFocusedButton() {
    Form1& f = form();
    f.activateWindow();
    f.susumu->setFocus();
    QTest::keyClick(f.susumu, Qt::Key_Return);
    QCOMPARE(int(f.StepCount), 15);
    QTest::keyClick(f.susumu, Qt::Key_Enter);
    QCOMPARE(int(f.StepCount), 30);
    QTest::keyClick(f.susumu, Qt::Key_Space);
    QCOMPARE(int(f.StepCount), 45);
    f.modoru->setFocus();
    QTest::keyClick(f.modoru, Qt::Key_Return);
    QCOMPARE(int(f.StepCount), 30);
    // A disabled button takes no key.
    QTest::keyClick(f.tomeru, Qt::Key_Return);
    QCOMPARE(f.StopRequested, qint16(0));
}

void TestAccess::arrowsMoveWithinQuantities() {
    Form1& f = form();
    f.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    clickCheckBox(f.Option1[0]);
    f.Option1[0]->setFocus();
    QTest::keyClick(f.Option1[0], Qt::Key_Right);
    QVERIFY(f.Option1[1]->isChecked());
    QVERIFY(f.Option1[1]->hasFocus());
    QCOMPARE(f.Label4[4]->Top(), 40.0); // the choice ran its handler
    QTest::keyClick(f.Option1[1], Qt::Key_Right);
    QVERIFY(f.Option1[2]->isChecked());
}

void TestAccess::everyControlHasAName() {
    Form1& f = form();
    QList<QWidget*> controls = {f.Text1,  f.Command1, f.kokuban, f.jidou,  f.Combo1,
                                f.tomeru, f.modoru,   f.susumu,  f.Check1, f.Check3,
                                f.Check2, f.Frame1,   f.end,     f.hyo,    f.gamen};
    for (QRadioButton* option : f.Option1)
        controls << option;
    for (QWidget* control : controls)
        QVERIFY2(!said(control, QAccessible::Name).isEmpty(), qPrintable(control->objectName()));
    QCOMPARE(said(f.kokuban, QAccessible::Name), QStringLiteral("黒板"));
    QCOMPARE(said(f.susumu, QAccessible::Name), QStringLiteral("進む"));
    QVERIFY(!said(f.susumu, QAccessible::Description).isEmpty());
}

void TestAccess::boardTellsChiAndY_data() {
    QTest::addColumn<int>("element");
    QTest::addColumn<int>("steps");
    QTest::addColumn<QString>("description");
    QTest::newRow("none") << -1 << 3 << "χ = 1.5 cm";
    QTest::newRow("red") << 0 << 7 << "χ = 3.5 cm、赤い線の長さ ｙ = 6.5 cm";
    QTest::newRow("blue") << 1 << 6 << "χ = 3.0 cm、青い正方形の面積 ｙ = 9 cm²";
    QTest::newRow("blue half") << 1 << 1 << "χ = 0.5 cm、青い正方形の面積 ｙ = 0.25 cm²";
    QTest::newRow("yellow") << 2 << 20 << "χ = 10.0 cm、黄色い図形の面積 ｙ = 0 cm²";
}

void TestAccess::boardTellsChiAndY() {
    QFETCH(int, element);
    QFETCH(int, steps);
    QFETCH(QString, description);
    if (element >= 0)
        clickCheckBox(form().Option1[static_cast<size_t>(element)]);
    step(form().susumu, steps);
    QCOMPARE(said(form().kokuban, QAccessible::Description), description);
}

void TestAccess::tableTellsItsColumns() {
    Form1& f = form();
    QCOMPARE(said(f.hyo, QAccessible::Description), QStringLiteral("表：まだ値はない"));
    clickCheckBox(f.Check3);
    clickCheckBox(f.Option1[2]);
    step(f.susumu, 4);
    QCOMPARE(said(f.hyo, QAccessible::Description),
             QStringLiteral("表：χ = 0, 1, 2；ｙ = 100, 99, 96"));
    step(f.modoru, 1);
    QCOMPARE(said(f.hyo, QAccessible::Description), QStringLiteral("表：χ = 0, 1；ｙ = 100, 99"));
    clickCheckBox(f.Check3);
    f.Text1->setText(QStringLiteral(" 0.5"));
    clickCheckBox(f.Check3);
    QCOMPARE(said(f.hyo, QAccessible::Description), QStringLiteral("表：まだ値はない"));
}

void TestAccess::graphTellsItsPoints() {
    Form1& f = form();
    clickCheckBox(f.Check2);
    QCOMPARE(said(f.gamen, QAccessible::Description), QStringLiteral("グラフ：まだ点はない"));
    clickCheckBox(f.Option1[1]);
    step(f.susumu, 4);
    QCOMPARE(said(f.gamen, QAccessible::Description),
             QStringLiteral("グラフの点 (χ, ｙ)：(0, 0), (1, 1), (2, 4)"));
    step(f.modoru, 2);
    QCOMPARE(said(f.gamen, QAccessible::Description),
             QStringLiteral("グラフの点 (χ, ｙ)：(0, 0), (1, 1)"));
}

QTEST_MAIN(TestAccess)
#include "tst_access.moc"
