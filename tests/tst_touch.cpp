#include "lessontest.h"

#include <QPointingDevice>
#include <QTest>

using namespace kansu;
using namespace kansu::testing;

// Presses under a pupil's hands: whole boxes under the mouse, and a finger
// beside a small control pressing the control nearest to it.
class TestTouch : public LessonTest {
    Q_OBJECT
  private slots:
    void wholeRectangleAnswersPress_data();
    void wholeRectangleAnswersPress();
    void pressBesideControl_data();
    void pressBesideControl();
};

void TestTouch::wholeRectangleAnswersPress_data() {
    QTest::addColumn<QString>("box");
    for (const char* name :
         {"Check1", "Check3", "Check2", "Option1(0)", "Option1(1)", "Option1(2)"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestTouch::wholeRectangleAnswersPress() {
    QFETCH(QString, box);
    auto* control = form().findChild<QAbstractButton*>(box);
    QVERIFY(control);
    // The far end of the box, well past its caption.
    QTest::mouseClick(control, Qt::LeftButton, {},
                      QPoint(control->width() - 2, control->height() / 2));
    QVERIFY(control->isChecked());
}

void TestTouch::pressBesideControl_data() {
    QTest::addColumn<QString>("beside");
    QTest::addColumn<QPoint>("offset"); // from the middle of the control's edge it points past
    QTest::addColumn<bool>("touch");
    QTest::addColumn<QString>("pressed"); // none: empty

    QTest::newRow("touch 20 px below 赤") << "Option1(0)" << QPoint(0, 20) << true << "Option1(0)";
    QTest::newRow("mouse 20 px below 赤") << "Option1(0)" << QPoint(0, 20) << false << "";
    QTest::newRow("touch 30 px below 赤") << "Option1(0)" << QPoint(0, 30) << true << "";
    QTest::newRow("touch in the gap, nearer 戻る") << "modoru" << QPoint(5, 0) << true << "modoru";
    QTest::newRow("touch in the gap, nearer 進む") << "susumu" << QPoint(-5, 0) << true << "susumu";
    QTest::newRow("touch on the board beside 戻る") << "modoru" << QPoint(-15, 0) << true << "";
}

void TestTouch::pressBesideControl() {
    QFETCH(QString, beside);
    QFETCH(QPoint, offset);
    QFETCH(bool, touch);
    QFETCH(QString, pressed);
    Form1& f = form();
    QStringList clicked;
    for (QAbstractButton* button : f.findChildren<QAbstractButton*>())
        connect(button, &QAbstractButton::clicked, this,
                [&clicked, button] { clicked << button->objectName(); });
    const auto* control = f.findChild<QWidget*>(beside);
    const QRect rect(control->mapTo(&f, QPoint()), control->size());
    const auto edge = [](int towards, int low, int middle, int high) {
        return towards > 0 ? high : towards < 0 ? low : middle;
    };
    const QPoint at =
        offset + QPoint(edge(offset.x(), rect.left(), rect.center().x(), rect.right()),
                        edge(offset.y(), rect.top(), rect.center().y(), rect.bottom()));
    if (touch) {
        static QPointingDevice* finger = QTest::createTouchDevice();
        QTest::touchEvent(&f, finger).press(0, at);
        QTest::touchEvent(&f, finger).release(0, at);
    } else {
        QTest::mouseClick(&f, Qt::LeftButton, {}, at);
    }
    QCOMPARE(clicked, pressed.isEmpty() ? QStringList() : QStringList{pressed});
}

QTEST_MAIN(TestTouch)
#include "tst_touch.moc"
