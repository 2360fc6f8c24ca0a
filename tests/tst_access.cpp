#include "lessontest.h"

#include "app/qbcolor.h"
#include "readers/accessibility.h"
#include <QAccessible>

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QTest>
#include <algorithm>

using namespace kansu;
using namespace kansu::testing;

class TestAccess : public LessonTest {
    Q_OBJECT
  private slots:
    void enterAndSpacePressFocusedButton();
    void arrowsMoveWithinQuantities();
    void everyControlHasAName();
    void boardTellsChiAndY_data();
    void boardTellsChiAndY();
    void tableTellsItsColumns();
    void tableWithoutQuantitySaysSo();
    void graphTellsItsPoints();
    void enterTicksBoxesUpDownMoveQuantities();
    void speedBoxQuantitiesAndWindowNamed();
    void tabReachesPictureBoxesInView();
    void changesAreAnnouncedOncePerStep();
    void stepsAreToldAsNotifications();
    void outOfViewIsNotShowing();

  private:
    QString said(QWidget* widget, QAccessible::Text kind) {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
        return face ? face->text(kind) : QString();
    }
    void step(QPushButton* button, int times) {
        for (int i = 0; i < times; ++i)
            QTest::mouseClick(button, Qt::LeftButton);
    }
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

void TestAccess::tableWithoutQuantitySaysSo() {
    clickCheckBox(form().Check3);
    step(form().susumu, 2);
    QCOMPARE(said(form().hyo, QAccessible::Description),
             QStringLiteral("表：χ = 0, 1；ｙ は選ばれていない"));
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

void TestAccess::enterTicksBoxesUpDownMoveQuantities() {
    Form1& f = form();
    f.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    f.Check1->setFocus();
    QTest::keyClick(f.Check1, Qt::Key_Return);
    QVERIFY(f.Check1->isChecked());
    QCOMPARE(pixelAt(f.kokuban, 130, 65), QBColor(0)); // its handler drew the grid
    QTest::keyClick(f.Check1, Qt::Key_Enter, Qt::KeypadModifier);
    QVERIFY(!f.Check1->isChecked());
    clickCheckBox(f.Option1[1]);
    f.Option1[1]->setFocus();
    QTest::keyClick(f.Option1[1], Qt::Key_Down);
    QVERIFY(f.Option1[2]->isChecked() && f.Option1[2]->hasFocus());
    QTest::keyClick(f.Option1[2], Qt::Key_Up);
    QTest::keyClick(f.Option1[1], Qt::Key_Up);
    QVERIFY(f.Option1[0]->isChecked());
    QCOMPARE(f.Line5[1]->Y1(), 50.0); // the red line's handler ran
}

void TestAccess::speedBoxQuantitiesAndWindowNamed() {
    Form1& f = form();
    QCOMPARE(said(f.Combo1, QAccessible::Name), QStringLiteral("速度"));
    QCOMPARE(said(f.Combo1, QAccessible::Value), QStringLiteral("20"));
    f.Combo1->setEditText(QStringLiteral("05"));
    QCOMPARE(said(f.Combo1, QAccessible::Value), QStringLiteral("05"));
    QCOMPARE(said(f.Option1[0], QAccessible::Description),
             QStringLiteral("赤い線の長さ ｙ = 10 − χ (cm)"));
    QCOMPARE(said(f.Option1[2], QAccessible::Description),
             QStringLiteral("黄色い図形の面積 ｙ = 100 − χ² (cm²)"));
    clickCheckBox(f.Check2); // the name follows the long caption
    QCOMPARE(said(f.Option1[1], QAccessible::Name), QStringLiteral("青い正方形の面積"));
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&f);
    QCOMPARE(window->role(), QAccessible::Window);
    QCOMPARE(window->text(QAccessible::Name), QStringLiteral("４.関数"));
}

void TestAccess::tabReachesPictureBoxesInView() {
    Form1& f = form();
    f.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    const auto tabFrom = [](QWidget* from, Qt::KeyboardModifiers modifiers = {}) {
        from->setFocus();
        QTest::keyClick(from, Qt::Key_Tab, modifiers);
        return QApplication::focusWidget();
    };
    QCOMPARE(tabFrom(f.Check2), f.kokuban);
    QCOMPARE(tabFrom(f.kokuban), f.susumu);
    // Panels outside the window are no stops.
    QCOMPARE(tabFrom(f.end, Qt::ShiftModifier), f.Command1);
    QVERIFY(tabFrom(f.Check1) != f.hyo);
    clickCheckBox(f.Check2);
    clickCheckBox(f.Check3);
    QCOMPARE(tabFrom(f.end, Qt::ShiftModifier), f.gamen);
    QCOMPARE(tabFrom(f.Check1), f.hyo);
    // The focused board shows a dotted ring on its border.
    QCOMPARE(tabFrom(f.Check2), f.kokuban);
    const auto ringPixels = [&] {
        return pixelsOfColour(f.kokuban->grab().toImage(), QRect(0, 0, f.kokuban->width(), 2),
                              QBColor(0));
    };
    QVERIFY(ringPixels() > f.kokuban->width() / 4);
    f.susumu->setFocus();
    QCOMPARE(ringPixels(), 0);
}

void TestAccess::changesAreAnnouncedOncePerStep() {
    static QList<std::pair<QObject*, QAccessible::Event>> events;
    events.clear();
    redirectScreenReaderEvents([](QAccessibleEvent& event) {
        events.append({event.object(), event.type()});
    });
    const auto told = [](QObject* object, QAccessible::Event type) {
        QCoreApplication::processEvents();
        return int(std::count(events.begin(), events.end(), std::pair(object, type)));
    };
    Form1& f = form();
    clickCheckBox(f.Option1[1]);
    QCOMPARE(told(f.kokuban, QAccessible::DescriptionChanged), 1);
    for (int i = 0; i < 2; ++i) {
        step(f.susumu, 1);
        QCoreApplication::processEvents();
    }
    QCOMPARE(told(f.kokuban, QAccessible::DescriptionChanged), 3);
    // Hidden panels say nothing; shown, they tell what they hold, and the
    // graph only when a step adds a point.
    QCOMPARE(told(f.gamen, QAccessible::DescriptionChanged), 0);
    QCOMPARE(told(f.hyo, QAccessible::DescriptionChanged), 0);
    clickCheckBox(f.Check2);
    QCOMPARE(told(f.gamen, QAccessible::DescriptionChanged), 1);
    QCOMPARE(told(f.gamen, QAccessible::StateChanged), 1);
    step(f.susumu, 1);
    QCOMPARE(told(f.gamen, QAccessible::DescriptionChanged), 1);
    step(f.susumu, 1);
    QCOMPARE(told(f.gamen, QAccessible::DescriptionChanged), 2);
    QCOMPARE(told(f.hyo, QAccessible::DescriptionChanged), 0);
    redirectScreenReaderEvents(nullptr);
}

void TestAccess::stepsAreToldAsNotifications() {
    static QStringList told;
    told.clear();
    redirectScreenReaderEvents([](QAccessibleEvent& event) {
        QAccessibleInterface* notice = event.accessibleInterface();
        if (event.type() == QAccessible::ObjectShow &&
            notice->role() == QAccessible::Notification && !notice->state().invisible)
            told << notice->text(QAccessible::Name);
    });
    Form1& f = form();
    clickCheckBox(f.Option1[1]);
    QCoreApplication::processEvents();
    f.susumu->setFocus();
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(f.susumu, Qt::Key_Space);
        QCoreApplication::processEvents();
    }
    QCOMPARE(told.size(), 4);
    QCOMPARE(told.last(), QStringLiteral("χ = 1.5 cm、青い正方形の面積 ｙ = 2.25 cm²"));
    // A run is told where it ends, not at each of its steps.
    f.pause = [](qint32) { QCoreApplication::processEvents(); };
    QTest::mouseClick(f.jidou, Qt::LeftButton);
    QCoreApplication::processEvents();
    QCOMPARE(told.size(), 5);
    QCOMPARE(told.last(), QStringLiteral("χ = 10.0 cm、青い正方形の面積 ｙ = 100 cm²"));
    redirectScreenReaderEvents(nullptr);
}

void TestAccess::outOfViewIsNotShowing() {
    Form1& f = form();
    const auto hidden = [](QWidget* widget) {
        return QAccessible::queryAccessibleInterface(widget)->state().invisible;
    };
    QVERIFY(hidden(f.gamen) && hidden(f.hyo) && hidden(f.Label5));
    QVERIFY(!hidden(f.kokuban) && !hidden(f.Label4[0]));
    QVERIFY(hidden(f.Label4[4]) && hidden(f.Label4[5])); // parked below the board
    clickCheckBox(f.Option1[1]);
    QVERIFY(!hidden(f.Label4[4]) && hidden(f.Label4[3]));
    clickCheckBox(f.Check2);
    clickCheckBox(f.Check3);
    QVERIFY(!hidden(f.gamen) && !hidden(f.hyo) && !hidden(f.Label5));
    QCOMPARE(said(f.Label4[2], QAccessible::Name), QStringLiteral("10 cm"));
}

QTEST_MAIN(TestAccess)
#include "tst_access.moc"
