// Figures of the lesson heard (offscreen, through the machine's own audio
// device): one step with 音 on against one without, alternated; the time
// from a press on 進む to the tone's first sample pulled by the audio
// device. With "play N" it plays the graph of quantity N (0 red, 1 blue,
// 2 yellow) and ends, for a recording.
// Prints key=value lines.

#include "app/window/form1.h"
#include "app/wiring.h"
#include "board/step.h"
#include "hearing/hearing.h"
#include "platform/toneplayer.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QMediaDevices>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

using namespace kansu;

namespace {

double median(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

// One step and its repaint, with the tone's notice it queues.
double timedStep(Form1& form, bool forward) {
    QElapsedTimer clock;
    clock.start();
    if (forward)
        susumu_Click(form);
    else
        modoru_Click(form);
    QCoreApplication::processEvents();
    return clock.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Form1 form;
    wireForm1(form);
    form.show();
    QCoreApplication::processEvents();
    Hearing& hearing = *form.findChild<Hearing*>();

    if (argc > 2 && std::strcmp(argv[1], "play") == 0) {
        form.Option1[size_t(std::atoi(argv[2]) % 3)]->setChecked(true);
        QCoreApplication::processEvents();
        hearing.playGraphAction()->trigger();
        // Time for the device to open its stream too (over a second on a
        // PulseAudio of its own).
        QTest::qWait(Hearing::kGraphMilliseconds + 3000);
        return 0;
    }

    form.Option1[1]->setChecked(true);
    QCoreApplication::processEvents();
    std::vector<double> quiet, sounding;
    for (int lesson = 0; lesson < 20; ++lesson) {
        const bool on = lesson % 2 == 1;
        if (hearing.soundAction()->isChecked() != on)
            hearing.soundAction()->trigger();
        for (int i = 0; i < 40; ++i)
            (on ? sounding : quiet).push_back(timedStep(form, i < 20));
    }
    hearing.soundAction()->setChecked(false);

    // From the press to the first sample the device pulls: the press's
    // handling up to the tone asked for, then the player's way to the
    // device, on a player of the bench's own.
    platform::TonePlayer player(QMediaDevices::defaultAudioOutput());
    std::vector<double> toAsk, toPull;
    QElapsedTimer clock;
    double askedAt = -1;
    QObject::connect(&hearing, &Hearing::toneAsked, [&] { askedAt = clock.nsecsElapsed() / 1e6; });
    hearing.soundAction()->setChecked(true);
    for (int i = 0; i < 20 && player.available(); ++i) {
        askedAt = -1;
        clock.start();
        QTest::mouseClick(i % 2 ? form.modoru : form.susumu, Qt::LeftButton);
        while (askedAt < 0)
            QCoreApplication::processEvents();
        toAsk.push_back(askedAt);
        player.play({440}, 120, 120);
        while (player.source()->nanosecondsToFirstPull() < 0)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 1);
        toPull.push_back(player.source()->nanosecondsToFirstPull() / 1e6);
        QTest::qWait(150);
    }
    if (qEnvironmentVariableIsSet("KANSU_BENCH_ALL"))
        for (double t : toPull)
            std::printf("pull %.3f\n", t);
    std::printf("audio_device=%d\n", player.available() ? 1 : 0);
    std::printf("step_quiet_ms=%.4f\nstep_sounding_ms=%.4f\n", median(quiet), median(sounding));
    // The first tone also opens the device's stream.
    if (toPull.size() > 1)
        std::printf("press_to_ask_ms=%.3f\nask_to_pull_ms=%.3f\nask_to_pull_max_ms=%.3f\n"
                    "first_ask_to_pull_ms=%.3f\n",
                    median(toAsk), median({toPull.begin() + 1, toPull.end()}),
                    *std::max_element(toPull.begin() + 1, toPull.end()), toPull.front());
    return 0;
}
