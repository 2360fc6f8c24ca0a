#include "app/lesson.h"
#include "app/qbcolor.h"
#include "graph/graph.h"
#include "lessontest.h"
#include "table/table.h"

#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <cstdio>

using namespace kansu;
using namespace kansu::testing;

namespace {

// This test program started again as a child, with `role` set in its
// environment to say what the child does.
void startThisProgramAgain(QProcess& child, const char* role) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(role), QStringLiteral("1"));
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {});
}

} // namespace

class TestStartup : public LessonTest {
    Q_OBJECT
  private slots:
    void windowSizeHidesBothPanels();
    void controlsAtStart();
    void controlGeometry_data();
    void controlGeometry();
    void boardShowsYellowFrame();
    void boardLabelsAndLines();
    void labelsAreNotClipped();
    void tabOrderFollowsDescription();
    void initialScreenClearsQuantity();
    void initialScreenKeepsPanels();
    void quitEndsProgram();
    void quitExitsProcessWithZero();
    void groupFrameIsDrawn();
    void openingNeedsOneFaceAndNoImageReader();
};

void TestStartup::windowSizeHidesBothPanels() {
    Form1& f = *fixture.form;
    QCOMPARE(f.size(), QSize(663, 558));
    QCOMPARE(f.gamen->geometry().left(), 664);
    QCOMPARE(f.hyo->geometry().top(), 568);
    QVERIFY(!f.rect().intersects(f.gamen->geometry()));
    QVERIFY(!f.rect().intersects(f.hyo->geometry()));
    // The learner cannot resize the window.
    QCOMPARE(f.minimumSize(), f.maximumSize());
    QCOMPARE(f.windowTitle(), QStringLiteral("４.関数"));
}

void TestStartup::controlsAtStart() {
    Form1& f = *fixture.form;
    QCOMPARE(f.Text1->text(), QStringLiteral("0.0"));
    QVERIFY(!f.tomeru->isEnabled());
    for (QPushButton* b : {f.susumu, f.modoru, f.jidou, f.Command1, f.end})
        QVERIFY(b->isEnabled());
    for (QCheckBox* c : {f.Check1, f.Check2, f.Check3})
        QCOMPARE(c->checkState(), Qt::Unchecked);
    for (QRadioButton* o : f.Option1)
        QVERIFY(!o->isChecked());
    QCOMPARE(f.Option1[0]->text(), QStringLiteral("赤"));
    QCOMPARE(f.Option1[1]->text(), QStringLiteral("青"));
    QCOMPARE(f.Option1[2]->text(), QStringLiteral("黄"));
    QCOMPARE(f.Combo1->currentText(), QStringLiteral("20"));
    QVERIFY(f.Combo1->isEditable());
    QStringList items;
    for (int i = 0; i < f.Combo1->count(); ++i)
        items << f.Combo1->itemText(i);
    QCOMPARE(items, QStringList({"01", "05", "10", "20", "40"}));
    QCOMPARE(f.StepCount, qint16(0));
    QCOMPARE(f.StopRequested, qint16(0));
    QCOMPARE(f.FrameSide, qint16(300));
    QCOMPARE(QPointF(f.FrameX, f.FrameY), QPointF(100, 50));
    QCOMPARE(QPointF(f.SquareX, f.SquareY), QPointF(100, 50));
}

void TestStartup::controlGeometry_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::newRow("kokuban") << "kokuban" << QRect(8, 64, 501, 401);
    QTest::newRow("gamen") << "gamen" << QRect(664, 8, 313, 529);
    QTest::newRow("hyo") << "hyo" << QRect(8, 568, 641, 113);
    QTest::newRow("susumu") << "susumu" << QRect(592, 240, 57, 57);
    QTest::newRow("modoru") << "modoru" << QRect(520, 240, 57, 57);
    QTest::newRow("jidou") << "jidou" << QRect(520, 128, 73, 49);
    QTest::newRow("Frame1") << "Frame1" << QRect(16, 464, 481, 73);
    QTest::newRow("Option1(2)") << "Option1(2)" << QRect(312, 32, 153, 33);
    QTest::newRow("Text1") << "Text1" << QRect(536, 16, 57, 33);
}

void TestStartup::controlGeometry() {
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    auto* widget = fixture.form->findChild<QWidget*>(name);
    QVERIFY(widget);
    QCOMPARE(widget->geometry(), geometry);
}

void TestStartup::boardShowsYellowFrame() {
    const PictureBox* board = fixture.form->kokuban;
    // The inner area of the 501 x 401 box inside its 2-pixel border.
    QCOMPARE(board->canvas().image().size(), QSize(497, 397));
    QCOMPARE(pixelAt(board, 5, 5), kGreen);
    QCOMPARE(pixelAt(board, 450, 380), kGreen);
    QCOMPARE(pixelAt(board, 99, 200), QBColor(15));  // left chalk edge
    QCOMPARE(pixelAt(board, 250, 350), QBColor(15)); // bottom chalk edge
    for (const QPoint p :
         {QPoint(105, 55), QPoint(395, 345), QPoint(102, 52), QPoint(398, 348), QPoint(250, 200)})
        QCOMPARE(pixelAt(board, p.x(), p.y()), kYellow);
    QCOMPARE(pixelsOfColour(board->canvas().image(), QRect(0, 0, 497, 397), kYellow), 297 * 297);
    QCOMPARE(pixelsOfColour(board->canvas().image(), QRect(0, 0, 497, 397), kWhite),
             303 * 303 - 297 * 297);
    QCOMPARE(board->canvas().penWidth(), 3);
}

void TestStartup::boardLabelsAndLines() {
    Form1& f = *fixture.form;
    QCOMPARE(QPointF(f.Label4[0]->Left(), f.Label4[0]->Top()), QPointF(78, 35));
    QCOMPARE(QPointF(f.Label4[1]->Left(), f.Label4[1]->Top()), QPointF(90, 15));
    QCOMPARE(QPointF(f.Label4[2]->Left(), f.Label4[2]->Top()), QPointF(38, 190));
    QCOMPARE(f.Label4[0]->pos(), QPoint(78, 35));
    // No quantity: the red line, its label and the area label are parked below the board.
    QCOMPARE(f.Label4[3]->Top(), 410.0);
    QCOMPARE(f.Label4[4]->Top(), 410.0);
    QCOMPARE(f.Label4[5]->Top(), 410.0);
    QCOMPARE(f.Line5[1]->Y1(), 410.0);
    QCOMPARE(f.Line5[1]->Y2(), 410.0);
    QCOMPARE(f.Line5[1]->X1(), 120.0); // designed x stays
    QCOMPARE(f.Line5[0]->line(), QLineF(100, 50, 100, 50));
    // "I" keeps its designed place.
    QCOMPARE(f.Label4[8]->pos(), QPoint(496, 312));
    QCOMPARE(f.Line3->line(), QLineF(8, 56, 632, 56));
    QCOMPARE(f.Line2->line(), QLineF(42, 8, 42, 104));
}

void TestStartup::labelsAreNotClipped() {
    const auto labels = fixture.form->findChildren<QLabel*>();
    QVERIFY(labels.size() >= 12);
    for (const QLabel* label : labels) {
        const QFontMetrics metrics(label->font());
        QVERIFY2(metrics.horizontalAdvance(label->text()) <= label->width(),
                 qPrintable(label->text()));
    }
}

void TestStartup::tabOrderFollowsDescription() {
    Form1& f = *fixture.form;
    const QList<QWidget*> expected = {f.end,        f.Text1,      f.Combo1,     f.Check2,  f.susumu,
                                      f.modoru,     f.jidou,      f.tomeru,     f.Check3,  f.Check1,
                                      f.Option1[0], f.Option1[1], f.Option1[2], f.Command1};
    QList<QWidget*> chain;
    QWidget* w = f.end;
    for (int guard = 0; guard < 500 && chain.size() < expected.size(); ++guard) {
        QWidget* control = w->parentWidget() == f.Combo1 ? f.Combo1 : w;
        if (expected.contains(control) && (chain.isEmpty() || chain.back() != control))
            chain << control;
        w = w->nextInFocusChain();
    }
    QCOMPARE(chain, expected);
}

void TestStartup::initialScreenClearsQuantity() {
    Form1& f = *fixture.form;
    f.Option1[1]->setChecked(true);
    f.Text1->setText(QStringLiteral("7"));
    f.tomeru->setEnabled(true);
    QTest::mouseClick(f.Command1, Qt::LeftButton);
    for (QRadioButton* o : f.Option1)
        QVERIFY(!o->isChecked());
    QCOMPARE(f.Text1->text(), QStringLiteral("0.0"));
    QVERIFY(!f.tomeru->isEnabled());
    QCOMPARE(f.Label4[4]->Top(), 410.0);
    // The group works again afterwards.
    clickCheckBox(f.Option1[2]);
    QVERIFY(f.Option1[2]->isChecked());
}

void TestStartup::initialScreenKeepsPanels() {
    Form1& f = *fixture.form;
    clickCheckBox(f.Check2);
    clickCheckBox(f.Check3);
    f.Option1[1]->setChecked(true);
    f.Text1->setText(QStringLiteral(" 3.0"));
    PlotGraph(f, 0);
    DrawTable(f, 0);
    const QImage graph = f.gamen->canvas().image();
    const QImage table = f.hyo->canvas().image();
    QTest::mouseClick(f.Command1, Qt::LeftButton);
    // Marks and columns stay; the axes are drawn again with the area scale, no "2".
    QVERIFY(pixelsOfColour(f.gamen->canvas().image(), QRect(105, 454, 5, 5), QBColor(0)) > 0);
    QCOMPARE(differingPixels(table, f.hyo->canvas().image()), 0);
    QCOMPARE(differingPixels(graph, f.gamen->canvas().image()), 0);
    QCOMPARE(f.width(), 1010);
    QCOMPARE(f.height(), 702);
}

void TestStartup::quitEndsProgram() {
    QTest::mouseClick(fixture.form->end, Qt::LeftButton);
    QCOMPARE(fixture.endRequests, 1);
}

void TestStartup::quitExitsProcessWithZero() {
    QProcess child;
    startThisProgramAgain(child, "KANSU_TEST_QUIT_CHILD");
    QVERIFY(child.waitForFinished(20000));
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 0);
    QCOMPARE(child.readAllStandardOutput().trimmed(), QByteArray("loop ended"));
}

void TestStartup::groupFrameIsDrawn() {
    // A faint line just inside the frame's edge, below the title; olive
    // inside it.
    const QImage frame = fixture.form->Frame1->grab().toImage();
    const QRgb olive = qRgb(0x80, 0x80, 0x00);
    const int middle = frame.height() * 3 / 4;
    QVERIFY(frame.pixel(1, middle) != olive);
    QVERIFY(frame.pixel(frame.width() - 1, middle) != olive);
    QVERIFY(frame.pixel(frame.width() / 2, frame.height() - 1) != olive);
    QCOMPARE(QColor(frame.pixel(frame.width() / 2, 3)), QColor(olive)); // above the line
}

void TestStartup::openingNeedsOneFaceAndNoImageReader() {
    // What a freshly started program has loaded once its window is painted:
    // the lesson's face and no other, and none of the toolkit's image
    // readers (loading them all costs more than the rest of the drawing).
    QProcess child;
    startThisProgramAgain(child, "KANSU_TEST_MAPS_CHILD");
    QVERIFY(child.waitForFinished(20000));
    QCOMPARE(child.exitCode(), 0);
    const QByteArray maps = child.readAllStandardOutput();
    QList<QByteArray> faces;
    for (const QByteArray& line : maps.split('\n')) {
        QVERIFY2(!line.contains("imageformats"), line.constData());
        const QByteArray file = line.mid(line.lastIndexOf(' ') + 1).toLower();
        if ((file.endsWith(".ttf") || file.endsWith(".otf") || file.endsWith(".ttc")) &&
            !faces.contains(file))
            faces.append(file);
    }
    QCOMPARE(faces.size(), 1);
}

// The child: a real window, painted once, then the process's mappings.
static int mapsChild(int argc, char** argv) {
    QApplication app(argc, argv);
    Form1 form;
    wireForm1(form);
    form.show();
    form.grab(); // every control paints, as on the screen
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return 1;
    const QByteArray text = maps.readAll();
    std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
    return 0;
}

// The child: a real window whose quit button is clicked once the event loop runs.
static int quitChild(int argc, char** argv) {
    QApplication app(argc, argv);
    Form1 form;
    wireForm1(form);
    form.show();
    QTimer::singleShot(0, &form, [&] { QTest::mouseClick(form.end, Qt::LeftButton); });
    const int code = app.exec();
    std::printf("loop ended\n");
    return code;
}

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsSet("KANSU_TEST_QUIT_CHILD"))
        return quitChild(argc, argv);
    if (qEnvironmentVariableIsSet("KANSU_TEST_MAPS_CHILD"))
        return mapsChild(argc, argv);
    QApplication app(argc, argv);
    TestStartup test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_startup.moc"
