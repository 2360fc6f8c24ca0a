#include "hearing/hearing.h"
#include "hearing/pitch.h"
#include "lessontest.h"
#include "platform/toneplayer.h"
#include "presentation/keylist.h"
#include "presentation/lessonmenu.h"
#include "sound/tone.h"

#include <QAction>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QMenu>
#include <QSignalSpy>
#include <cmath>

using namespace kansu;
using namespace kansu::testing;

// The lesson heard: tones that follow y, the steps said, and the one menu
// and key list of the options.
class TestHearing : public LessonTest {
    Q_OBJECT
  private slots:
    // The window's keys reach an active window.
    void init() {
        fixture.start();
        form().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form()));
    }
    void pitchFollowsQuantity_data();
    void pitchFollowsQuantity();
    void toneHasSoftEnds_data();
    void toneHasSoftEnds();
    void newToneCutsTheOldOne();
    void noDeviceSaysWhyOnce();
    void stepsHeardOnlyWhenChosen();
    void runTonesShorterThanPauses();
    void graphPlaysAndStopsOnKey();
    void keyListReadsEveryShortcut();
    void menuHoldsOptions();
    void longPressOpensMenu_data();
    void longPressOpensMenu();

  private:
    Hearing& hearing() { return *form().findChild<Hearing*>(); }
};

void TestHearing::pitchFollowsQuantity_data() {
    addRows<int>("element", {{"red", 0}, {"blue", 1}, {"yellow", 2}, {"none", -1}});
}

void TestHearing::pitchFollowsQuantity() {
    QFETCH(int, element);
    const bool falling = element == 0 || element == 2;
    QCOMPARE(pitchAt(element, 0), falling ? kHighestHertz : kLowestHertz);
    QCOMPARE(pitchAt(element, 10), falling ? kLowestHertz : kHighestHertz);
    double previousInterval = 0;
    for (double chi = 0.5; chi <= 10; chi += 0.5) {
        // In semitones, rising or falling with y at every step.
        const double interval = 12 * std::log2(pitchAt(element, chi) / pitchAt(element, chi - 0.5));
        QVERIFY2(falling ? interval < 0 : interval > 0, qPrintable(QString::number(chi)));
        if (element == 1) // the square's area climbs faster and faster
            QVERIFY(interval > previousInterval);
        previousInterval = interval;
    }
}

void TestHearing::toneHasSoftEnds_data() {
    QTest::addColumn<double>("hertz");
    QTest::addColumn<int>("milliseconds");
    QTest::newRow("a step's") << 880.0 << 120;
    QTest::newRow("a fast run's") << 220.0 << 15;
    QTest::newRow("odd pitch") << 613.7 << 130;
}

void TestHearing::toneHasSoftEnds() {
    QFETCH(double, hertz);
    QFETCH(int, milliseconds);
    const std::vector<float> samples = sound::toneSamples(hertz, milliseconds, 48000);
    QCOMPARE(int(samples.size()), 48 * milliseconds);
    QVERIFY(std::fabs(samples.front()) < 0.01f);
    QVERIFY(std::fabs(samples.back()) < 0.01f);
    float loudest = 0, biggestJump = 0;
    for (size_t i = 1; i < samples.size(); ++i) {
        loudest = std::max(loudest, std::fabs(samples[i]));
        biggestJump = std::max(biggestJump, std::fabs(samples[i] - samples[i - 1]));
    }
    QVERIFY(loudest > 0.2f);
    // No sample leaps further than the sine itself may move.
    QVERIFY(biggestJump <= 0.3 * 2 * M_PI * hertz / 48000 + 1e-4);
}

void TestHearing::newToneCutsTheOldOne() {
    QAudioFormat format;
    format.setSampleRate(48000);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Float);
    platform::ToneSource source(format);
    const auto tone = sound::toneSamples(440, 120, 48000);
    for (int i = 0; i < 10; ++i)
        source.setTone(tone);
    QCOMPARE(source.waitingSamples(), qsizetype(tone.size()));
    // Half-way through, a new tone: the old one fades rather than stops.
    std::vector<float> pulled(tone.size() / 2 + 1);
    source.read(reinterpret_cast<char*>(pulled.data()), qint64(pulled.size() * sizeof(float)));
    source.setTone(sound::toneSamples(660, 120, 48000));
    float next = 0;
    source.read(reinterpret_cast<char*>(&next), sizeof next);
    QVERIFY(std::fabs(next - pulled.back()) < 0.05f);
    QCOMPARE(source.waitingSamples(), qsizetype(tone.size()) - 1);
}

void TestHearing::noDeviceSaysWhyOnce() {
    static int told = 0;
    told = 0;
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& message) {
            if (message.startsWith(QLatin1String("kansu:")))
                ++told;
        });
    platform::TonePlayer player{QAudioDevice()};
    QVERIFY(!player.play({440}, 120, 120));
    QVERIFY(!player.play({440}, 120, 120));
    qInstallMessageHandler(previous);
    QCOMPARE(told, 1);
}

void TestHearing::stepsHeardOnlyWhenChosen() {
    QSignalSpy tones(&hearing(), &Hearing::toneAsked);
    QSignalSpy said(&hearing(), &Hearing::spoken);
    QTest::mouseClick(form().susumu, Qt::LeftButton);
    QTest::qWait(0);
    QCOMPARE(tones.size() + said.size(), 0); // both off at start
    hearing().soundAction()->trigger();
    hearing().voicingAction()->trigger();
    clickCheckBox(form().Option1[1]);
    tones.clear();
    said.clear();
    QTest::mouseClick(form().susumu, Qt::LeftButton);
    QTRY_COMPARE(tones.size(), 1);
    QCOMPARE(tones[0][0].toDouble(), pitchAt(1, 0.5));
    QCOMPARE(tones[0][1].toInt(), Hearing::kToneMilliseconds);
    QCOMPARE(said.size(), 1);
    QCOMPARE(said[0][0].toString(), QStringLiteral("χ = 0.5 cm、青い正方形の面積 ｙ = 0.25 cm²"));
    QTest::mouseClick(form().modoru, Qt::LeftButton);
    QTRY_COMPARE(tones.size(), 2);
    QCOMPARE(tones[1][0].toDouble(), pitchAt(1, 0));
}

void TestHearing::runTonesShorterThanPauses() {
    QCOMPARE(Hearing::stepToneMilliseconds(false, 20), Hearing::kToneMilliseconds);
    QCOMPARE(Hearing::stepToneMilliseconds(true, 800), Hearing::kToneMilliseconds);
    hearing().soundAction()->trigger();
    form().Combo1->setCurrentText(QStringLiteral("01"));
    QSignalSpy tones(&hearing(), &Hearing::toneAsked);
    QSignalSpy said(&hearing(), &Hearing::spoken);
    hearing().voicingAction()->trigger();
    QTest::mouseClick(form().jidou, Qt::LeftButton);
    QTRY_VERIFY(form().jidou->isEnabled());
    QCOMPARE(tones.size(), 20); // chi = 0 was heard already: the 20 steps
    for (const QList<QVariant>& tone : tones)
        QVERIFY(tone[1].toInt() < 20);
    QVERIFY(said.last()[0].toString().startsWith(QStringLiteral("止まりました。χ = 10.0 cm")));
}

void TestHearing::graphPlaysAndStopsOnKey() {
    clickCheckBox(form().Option1[2]);
    QSignalSpy tones(&hearing(), &Hearing::toneAsked);
    QTest::keyClick(&form(), Qt::Key_G);
    QVERIFY(hearing().playingGraph());
    QTRY_VERIFY_WITH_TIMEOUT(!hearing().playingGraph(), 5000);
    QCOMPARE(tones.size(), 21);
    QCOMPARE(tones.first()[0].toDouble(), kHighestHertz); // 黄 falls
    QCOMPARE(tones.last()[0].toDouble(), kLowestHertz);
    hearing().playGraphAction()->trigger();
    QTest::keyClick(form().susumu, Qt::Key_Shift);
    QVERIFY(!hearing().playingGraph());
}

void TestHearing::keyListReadsEveryShortcut() {
    const QStringList lines = keyLines(form());
    for (const QAction* action : form().actions()) {
        if (action->shortcuts().isEmpty())
            continue;
        const QString first = action->shortcut().toString(QKeySequence::NativeText);
        QVERIFY2(std::any_of(lines.begin(), lines.end(),
                             [&](const QString& line) {
                                 return line.startsWith(first) &&
                                        line.endsWith(QStringLiteral("：") + action->text());
                             }),
                 qPrintable(action->text()));
    }
    for (const char* line : {"PgDown：進む", "J：自動／ストップ", "O：音", "Y：読み上げ",
                             "G：グラフを音で聞く", "F1：キー一覧"})
        QVERIFY2(lines.contains(QString::fromUtf8(line)), line);
    KeyList& list = form().findChild<LessonMenu*>()->keyList();
    QTest::keyClick(&form(), Qt::Key_F1);
    QVERIFY(list.isVisible());
    QVERIFY(list.accessibleDescription().contains(QStringLiteral("O：音")));
    QTest::keyClick(&list, Qt::Key_Escape);
    QVERIFY(!list.isVisible());
}

void TestHearing::menuHoldsOptions() {
    QMenu& menu = form().findChild<LessonMenu*>()->menu();
    QStringList texts;
    for (const QAction* action : menu.actions())
        texts << action->text();
    QCOMPARE(texts.mid(0, 3), (QStringList{"音", "読み上げ", "グラフを音で聞く"}));
    QVERIFY(texts.contains(QStringLiteral("全画面／戻す")));
    QCOMPARE(texts.last(), QStringLiteral("キー一覧"));
    // A right click on the bare window opens it there.
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5),
                            form().mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(&form(), &click);
    QTRY_VERIFY(menu.isVisible());
    menu.hide();
}

void TestHearing::longPressOpensMenu_data() {
    QTest::addColumn<QString>("under");
    QTest::addColumn<bool>("opens");
    QTest::newRow("the board") << "kokuban" << true;
    QTest::newRow("進む") << "susumu" << false;
}

void TestHearing::longPressOpensMenu() {
    QFETCH(QString, under);
    QFETCH(bool, opens);
    QMenu& menu = form().findChild<LessonMenu*>()->menu();
    const auto* widget = form().findChild<QWidget*>(under);
    const QPoint at = widget->mapTo(&form(), widget->rect().center());
    static QPointingDevice* finger = QTest::createTouchDevice();
    QElapsedTimer held;
    held.start();
    QTest::touchEvent(&form(), finger).press(0, at);
    (void)QTest::qWaitFor([&] { return menu.isVisible(); }, 2 * LessonMenu::kLongPressMilliseconds);
    QCOMPARE(menu.isVisible(), opens);
    QVERIFY2(!opens || held.elapsed() >= LessonMenu::kLongPressMilliseconds,
             qPrintable(QString::number(held.elapsed())));
    menu.hide();
    QTest::touchEvent(&form(), finger).release(0, at);
}

QTEST_MAIN(TestHearing)
#include "tst_hearing.moc"
