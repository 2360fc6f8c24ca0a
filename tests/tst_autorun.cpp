#include "app/qbcolor.h"
#include "autorun/autorun.h"
#include "board/step.h"
#include "lessontest.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <limits>

using namespace kansu;
using namespace kansu::testing;

class TestAutorun : public LessonTest {
    Q_OBJECT
  private slots:
    void init();

    void speeds_data();
    void speeds();
    void completeRun();
    void runStartsFromZero();
    void buttonsWhileRunning();
    void speedTypedDuringRunAppliesNext();
    void emptySpeedRunsWithoutPauses();
    void stopDuringPause();
    void newRunWaitsForTheStoppedOne();
    void newRunCutsALongStoppedPauseShort();
    void keyboardFocusFollowsTheRun();
    void quantityChosenDuringRunRestarts();
    void gridSwitchedDuringRun();
    void panelsShownDuringRun();
    void realPauseHandlesEventsAndWaits();
    void realPauseOfZeroHandlesNothing();
    void quitDuringRunExitsCleanly_data();
    void quitDuringRunExitsCleanly();
    void timerDrivenRun();

  private:
    // What the run showed in each pause, and what a test does there.
    struct PauseRecord {
        qint32 milliseconds;
        QString chi;
        bool jidou, tomeru, susumu, modoru, command1;
    };
    QList<PauseRecord> pauses;
    std::function<void(int index)> duringPause;
};

void TestAutorun::init() {
    fixture.start();
    pauses.clear();
    duringPause = nullptr;
    form().pause = [this](qint32 ms) {
        Form1& f = form();
        pauses.append({ms, f.Text1->text(), f.jidou->isEnabled(), f.tomeru->isEnabled(),
                       f.susumu->isEnabled(), f.modoru->isEnabled(), f.Command1->isEnabled()});
        if (duringPause)
            duringPause(int(pauses.size()) - 1);
    };
}

void TestAutorun::speeds_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("milliseconds");
    QTest::newRow("01") << "01" << 20;
    QTest::newRow("05") << "05" << 100;
    QTest::newRow("10") << "10" << 200;
    QTest::newRow("20") << "20" << 400;
    QTest::newRow("40") << "40" << 800;
    QTest::newRow("2.5") << "2.5" << 50;
    QTest::newRow("0.6") << "0.6" << 12;
    QTest::newRow("half to even down") << "0.025" << 0;
    QTest::newRow("half to even up") << "0.075" << 2;
    QTest::newRow("full-width") << "２０" << 400;
    QTest::newRow("letters after") << "10 slow" << 200;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("no number") << "fast" << 0;
    QTest::newRow("negative") << "-5" << -100;
    QTest::newRow("past 32 bits") << "2147483648" << std::numeric_limits<int>::max();
    QTest::newRow("huge") << "1e300" << std::numeric_limits<int>::max();
    QTest::newRow("beyond double") << "1e400" << std::numeric_limits<int>::max();
    QTest::newRow("hugely negative") << "-1e400" << std::numeric_limits<int>::min();
    QTest::newRow("400 digits") << QString(400, '7') << std::numeric_limits<int>::max();
}

void TestAutorun::speeds() {
    QFETCH(QString, text);
    QFETCH(int, milliseconds);
    QCOMPARE(pauseMilliseconds(text), milliseconds);
    form().Combo1->setEditText(text);
    QTest::mouseClick(form().jidou, Qt::LeftButton);
    QCOMPARE(pauses.size(), 20);
    for (const PauseRecord& p : pauses)
        QCOMPARE(p.milliseconds, milliseconds);
}

void TestAutorun::completeRun() {
    Form1& f = form();
    showPanelsAndChoose(f, 1);
    QTest::mouseClick(f.jidou, Qt::LeftButton);
    QCOMPARE(int(f.StepCount), 300);
    QCOMPARE(f.Text1->text(), QStringLiteral(" 10.0"));
    for (QPushButton* b : {f.jidou, f.susumu, f.modoru, f.Command1})
        QVERIFY(b->isEnabled());
    QVERIFY(!f.tomeru->isEnabled());
    QCOMPARE(f.StopRequested, qint16(0));
    // All eleven marks, chi = 0 included, and all eleven columns.
    const QImage& graph = f.gamen->canvas().image();
    for (int chi = 0; chi <= 10; ++chi) {
        const QPoint centre(35 + 24 * chi, qRound(500 - 4.8 * chi * chi));
        QVERIFY2(pixelsOfColour(graph, QRect(centre - QPoint(3, 3), QSize(7, 7)), QBColor(0)) >= 4,
                 qPrintable(QString::number(chi)));
    }
    QCOMPARE(differingPixels(tableColumns(f.hyo->canvas(), 1, 0, 10), f.hyo->canvas().image()), 0);
}

void TestAutorun::runStartsFromZero() {
    Form1& f = form();
    for (int i = 0; i < 15; ++i)
        QTest::mouseClick(f.susumu, Qt::LeftButton);
    QCOMPARE(f.Text1->text(), QStringLiteral(" 7.5"));
    QTest::mouseClick(f.jidou, Qt::LeftButton);
    QCOMPARE(pauses.size(), 20);
    for (int i = 0; i < 20; ++i)
        QCOMPARE(pauses[i].chi, kansu::chiText(qint16(15 * (i + 1))));
}

void TestAutorun::buttonsWhileRunning() {
    QTest::mouseClick(form().jidou, Qt::LeftButton);
    QCOMPARE(pauses.size(), 20);
    for (const PauseRecord& p : pauses) {
        QVERIFY(!p.jidou && p.tomeru && !p.susumu && !p.modoru && !p.command1);
        QCOMPARE(p.milliseconds, 400);
    }
}

void TestAutorun::speedTypedDuringRunAppliesNext() {
    duringPause = [this](int index) {
        if (index == 1)
            form().Combo1->setEditText(QStringLiteral("05"));
    };
    QTest::mouseClick(form().jidou, Qt::LeftButton);
    QCOMPARE(pauses[0].milliseconds, 400);
    QCOMPARE(pauses[1].milliseconds, 400);
    QCOMPARE(pauses[2].milliseconds, 100);
    QCOMPARE(pauses.back().milliseconds, 100);
}

void TestAutorun::emptySpeedRunsWithoutPauses() {
    // With the real pause: no waiting, no events, and the run still ends.
    Form1* f = &form();
    f->pause = [f](qint32 ms) { Pause(*f, ms); }; // the real pause
    form().Combo1->setEditText(QString());
    bool eventHandled = false;
    QTimer::singleShot(0, this, [&] { eventHandled = true; });
    QElapsedTimer clock;
    clock.start();
    QTest::mouseClick(form().jidou, Qt::LeftButton);
    QVERIFY(clock.elapsed() < 5000);
    QCOMPARE(int(form().StepCount), 300);
    QVERIFY(!eventHandled);
    QVERIFY(form().jidou->isEnabled());
    QTRY_VERIFY(eventHandled); // delivered once the run is over
}

void TestAutorun::stopDuringPause() {
    bool jidouAtPress = false;
    bool susumuAtPress = true;
    duringPause = [&](int index) {
        if (index != 2)
            return;
        QTest::mouseClick(form().tomeru, Qt::LeftButton);
        jidouAtPress = form().jidou->isEnabled();
        susumuAtPress = form().susumu->isEnabled();
    };
    QTest::mouseClick(form().jidou, Qt::LeftButton);
    QCOMPARE(pauses.size(), 3); // no further step after the stop
    QCOMPARE(int(form().StepCount), 45);
    QVERIFY(jidouAtPress);
    QVERIFY(!susumuAtPress);
    QVERIFY(form().susumu->isEnabled());
    QVERIFY(!form().tomeru->isEnabled());
    QCOMPARE(form().StopRequested, qint16(0));
}

void TestAutorun::newRunWaitsForTheStoppedOne() {
    duringPause = [&](int index) {
        if (index != 4)
            return;
        QTest::mouseClick(form().tomeru, Qt::LeftButton);
        QTest::mouseClick(form().jidou, Qt::LeftButton);
        // Nothing nested in the pause: no reset, no step, no button change.
        QCOMPARE(int(form().StepCount), 75);
        QVERIFY(form().tomeru->isEnabled());
    };
    QTest::mouseClick(form().jidou, Qt::LeftButton);
    // The stopped run made no further step; the new one ran from chi = 0 to
    // 10 cm as a run of its own, stoppable throughout.
    QCOMPARE(pauses.size(), 25);
    QCOMPARE(pauses[4].chi, QStringLiteral(" 2.5"));
    QCOMPARE(pauses[5].chi, QStringLiteral(" 0.5"));
    for (int i = 5; i < 25; ++i)
        QVERIFY(!pauses[i].jidou && pauses[i].tomeru && !pauses[i].susumu);
    QCOMPARE(int(form().StepCount), 300);
    QCOMPARE(form().StopRequested, qint16(0));
    QVERIFY(form().susumu->isEnabled() && !form().tomeru->isEnabled());
}

void TestAutorun::newRunCutsALongStoppedPauseShort() {
    // A pause of 200 s after each step; the real pause.
    Form1& f = form();
    const auto realPause = [&f](qint32 ms) { Pause(f, ms); };
    f.Combo1->setEditText(QStringLiteral("9999"));
    QElapsedTimer sincePress;
    qint64 startedAfter = -1;
    f.pause = [&](qint32 ms) {
        pauses.append({ms, f.Text1->text(), f.jidou->isEnabled(), f.tomeru->isEnabled(),
                       f.susumu->isEnabled(), f.modoru->isEnabled(), f.Command1->isEnabled()});
        if (pauses.size() == 1) {
            QTimer::singleShot(0, &f, [&] {
                QTest::mouseClick(f.tomeru, Qt::LeftButton);
                sincePress.start();
                QTest::mouseClick(f.jidou, Qt::LeftButton);
            });
        } else {
            startedAfter = sincePress.elapsed();
            f.close(); // ends this pause, and the run with it
        }
        realPause(ms);
    };
    QTest::mouseClick(f.jidou, Qt::LeftButton);
    QCOMPARE(pauses.size(), 2);
    QCOMPARE(pauses[1].chi, QStringLiteral(" 0.5"));
    QVERIFY(!pauses[1].jidou && pauses[1].tomeru);
    QVERIFY2(startedAfter >= 0 && startedAfter < 1000, qPrintable(QString::number(startedAfter)));
}

void TestAutorun::keyboardFocusFollowsTheRun() {
    Form1& f = form();
    f.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    f.jidou->setFocus();
    QWidget* focusInPause = nullptr;
    duringPause = [&](int index) {
        if (index == 0)
            focusInPause = QApplication::focusWidget();
    };
    QTest::keyClick(f.jidou, Qt::Key_Space);
    QCOMPARE(pauses.size(), 20);
    QCOMPARE(focusInPause, f.tomeru);
    QCOMPARE(QApplication::focusWidget(), f.jidou);
    // Focus moved elsewhere during the run stays there.
    duringPause = [&](int index) {
        if (index == 20)
            f.Check1->setFocus();
    };
    QTest::keyClick(f.jidou, Qt::Key_Space);
    QCOMPARE(QApplication::focusWidget(), f.Check1);
}

void TestAutorun::quantityChosenDuringRunRestarts() {
    bool tomeruAfterChoice = false;
    duringPause = [&](int index) {
        if (index != 5)
            return;
        clickCheckBox(form().Option1[2]);
        tomeruAfterChoice = form().tomeru->isEnabled();
    };
    QTest::mouseClick(form().jidou, Qt::LeftButton);
    QVERIFY(tomeruAfterChoice);
    QCOMPARE(pauses.size(), 26);
    QCOMPARE(pauses[6].chi, QStringLiteral(" 0.5"));
    QCOMPARE(int(form().StepCount), 300);
    // Still stoppable after the restart.
    duringPause = [&](int index) {
        if (index == 30)
            clickCheckBox(form().Option1[0]);
        if (index == 31)
            QTest::mouseClick(form().tomeru, Qt::LeftButton);
    };
    QTest::mouseClick(form().jidou, Qt::LeftButton);
    QCOMPARE(pauses.size(), 32);
    QVERIFY(form().jidou->isEnabled());
}

void TestAutorun::gridSwitchedDuringRun() {
    const QRect board(0, 0, 497, 397);
    QList<int> gridPixels;
    duringPause = [&](int index) {
        if (index == 3)
            clickCheckBox(form().Check1);
        if (index == 7) {
            clickCheckBox(form().Check1);
            QCOMPARE(form().Text1->text(), QStringLiteral(" 4.0")); // chi unchanged
        }
        gridPixels << pixelsOfColour(form().kokuban->canvas().image(), board, QBColor(0));
    };
    QTest::mouseClick(form().jidou, Qt::LeftButton);
    QCOMPARE(pauses.size(), 20);
    for (int i = 0; i < gridPixels.size(); ++i)
        QCOMPARE(gridPixels[i], i >= 3 && i < 7 ? 22 * 301 - 121 : 0);
}

void TestAutorun::panelsShownDuringRun() {
    duringPause = [&](int index) {
        if (index == 4) {
            clickCheckBox(form().Check2);
            clickCheckBox(form().Check3);
        }
    };
    clickCheckBox(form().Option1[0]);
    QTest::mouseClick(form().jidou, Qt::LeftButton);
    QCOMPARE(form().size(), QSize(1010, 702));
    // The table holds the column shown with the panel (chi = 2.5: none) and
    // those of chi = 3 ... 10 printed by the following steps.
    QCOMPARE(
        differingPixels(tableColumns(form().hyo->canvas(), 0, 3, 10), form().hyo->canvas().image()),
        0);
}

void TestAutorun::realPauseHandlesEventsAndWaits() {
    bool eventHandled = false;
    QTimer::singleShot(5, this, [&] { eventHandled = true; });
    QElapsedTimer clock;
    clock.start();
    Pause(form(), 40);
    QVERIFY(clock.elapsed() >= 40);
    QVERIFY(eventHandled);
}

void TestAutorun::realPauseOfZeroHandlesNothing() {
    bool eventHandled = false;
    QTimer::singleShot(0, this, [&] { eventHandled = true; });
    Pause(form(), 0);
    Pause(form(), -100);
    Pause(form(), std::numeric_limits<qint32>::min());
    QVERIFY(!eventHandled);
    QTRY_VERIFY(eventHandled);
}

void TestAutorun::quitDuringRunExitsCleanly_data() {
    // How the program is ended, and what it shows when the event loop has returned.
    QTest::addColumn<QString>("how");
    QTest::addColumn<QByteArray>("after");
    QTest::newRow("quit at rest") << "rest-quit" << QByteArray("steps 0, susumu enabled");
    QTest::newRow("closed at rest") << "rest-close" << QByteArray("steps 0, susumu enabled");
    QTest::newRow("quit in a pause") << "pause-quit" << QByteArray("steps 3, susumu disabled");
    QTest::newRow("closed in a pause") << "pause-close" << QByteArray("steps 3, susumu disabled");
    QTest::newRow("quit after nested handlers")
        << "nested-quit" << QByteArray("steps 0, susumu disabled");
    // Log-out and Ctrl+C, once the child says it is ready.
    QTest::newRow("SIGTERM at rest") << "rest-term" << QByteArray("ready\nsteps 0, susumu enabled");
    QTest::newRow("SIGINT at rest") << "rest-int" << QByteArray("ready\nsteps 0, susumu enabled");
    QTest::newRow("SIGTERM in a pause")
        << "pause-term" << QByteArray("ready\nsteps 3, susumu disabled");
    QTest::newRow("SIGINT in a pause")
        << "pause-int" << QByteArray("ready\nsteps 3, susumu disabled");
}

void TestAutorun::quitDuringRunExitsCleanly() {
    QFETCH(QString, how);
    QFETCH(QByteArray, after);
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("KANSU_TEST_CHILD"), how);
    // Where the toolkit would otherwise warn that there is none.
    const QTemporaryDir runtime;
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {});
    const bool bySignal = how.endsWith("term") || how.endsWith("int");
    if (bySignal) {
        QVERIFY(child.waitForReadyRead(30000));
        QTRY_VERIFY(child.canReadLine());
        if (how.endsWith("term"))
            child.terminate();
        else
            ::kill(static_cast<pid_t>(child.processId()), SIGINT);
    }
    QVERIFY(child.waitForFinished(30000));
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 0);
    // No step after the end, and no button touched.
    QCOMPARE(child.readAllStandardOutput().trimmed(), after);
    if (bySignal)
        QCOMPARE(child.readAllStandardError(), QByteArray());
}

// The child: a real window, ended at rest or during the third pause of a run
// at speed "40" (800 ms pauses).
static int endProgramChild(int argc, char** argv, const QByteArray& how) {
    QApplication app(argc, argv);
    Form1 form;
    wireForm1(form);
    form.show();
    const auto end = [&] {
        if (how.endsWith("quit"))
            QTest::mouseClick(form.end, Qt::LeftButton);
        else if (how.endsWith("close"))
            form.close();
        else { // the parent sends a signal
            std::printf("ready\n");
            std::fflush(stdout);
        }
    };
    // Both live as long as the event loop: the run uses them from there.
    int pausesSeen = 0;
    const auto realPause = form.pause;
    if (how.startsWith("rest")) {
        QTimer::singleShot(0, &form, end);
    } else {
        form.Combo1->setEditText(QStringLiteral("40"));
        form.pause = [&](qint32 ms) {
            if (++pausesSeen == 3)
                QTimer::singleShot(50, &form, [&] {
                    if (how.startsWith("nested")) {
                        clickCheckBox(form.Option1[2]);
                        clickCheckBox(form.Check1);
                        clickCheckBox(form.Check2);
                    }
                    end();
                });
            realPause(ms);
        };
        QTimer::singleShot(0, &form, [&] { QTest::mouseClick(form.jidou, Qt::LeftButton); });
    }
    const int code = app.exec();
    std::printf("steps %d, susumu %s\n", form.StepCount / 15,
                form.susumu->isEnabled() ? "enabled" : "disabled");
    return code;
}

void TestAutorun::timerDrivenRun() {
    // The browser's run: the handler returns after the first step, the rest
    // follows from the event loop, with the same stop and new-run rules.
    Form1& f = form();
    f.Combo1->setEditText(QStringLiteral("01"));
    jidou_Click(f, RunDriver::Timer);
    QCOMPARE(f.Text1->text(), QStringLiteral(" 0.5"));
    QVERIFY(f.tomeru->isEnabled() && !f.jidou->isEnabled() && !f.susumu->isEnabled());
    QTRY_VERIFY(f.jidou->isEnabled());
    QCOMPARE(f.Text1->text(), QStringLiteral(" 10.0"));
    QVERIFY(!f.tomeru->isEnabled() && f.susumu->isEnabled());

    // Stopped in a 200 s pause; 自動 pressed then ends it at once, and the
    // new run goes from 0.5 cm again.
    f.Combo1->setEditText(QStringLiteral("9999"));
    jidou_Click(f, RunDriver::Timer);
    QTest::mouseClick(f.tomeru, Qt::LeftButton);
    f.Combo1->setEditText(QStringLiteral("01"));
    QTest::mouseClick(f.jidou, Qt::LeftButton);
    QCOMPARE(f.StopRequested, qint16(0));
    QCOMPARE(f.Text1->text(), QStringLiteral(" 0.5"));
    QVERIFY(f.tomeru->isEnabled());
    QTRY_VERIFY(f.jidou->isEnabled());
    QCOMPARE(int(f.StepCount), 300);

    // Ended in a pause: the run goes when its pause is over, with no step.
    jidou_Click(f, RunDriver::Timer);
    f.markEnding();
    QTRY_VERIFY(!f.findChild<QObject*>(QStringLiteral("timerDrivenRun")));
    QCOMPARE(f.Text1->text(), QStringLiteral(" 0.5"));
}

int main(int argc, char** argv) {
    const QByteArray child = qgetenv("KANSU_TEST_CHILD");
    if (!child.isEmpty())
        return endProgramChild(argc, argv, child);
    QApplication app(argc, argv);
    TestAutorun test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_autorun.moc"
