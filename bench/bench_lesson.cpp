// Figures of the real window (offscreen): the time of one step with the
// grid, both panels and a quantity, the overshoot of the run's pauses at
// speed "01", and the CPU a run at speed "20" costs while it waits.
// Prints key=value lines.

#include "app/window/form1.h"
#include "app/wiring.h"
#include "autorun/autorun.h"
#include "board/step.h"
#include "presentation/presenter.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <sys/resource.h>
#include <vector>

using namespace kansu;

namespace {

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double percentile(std::vector<double> samples, double p) {
    std::sort(samples.begin(), samples.end());
    const size_t i = std::min(samples.size() - 1, size_t(p * (samples.size() - 1) + 0.5));
    return samples[i];
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Form1 form;
    Presenter& presenter = wireForm1(form);
    form.show();
    QCoreApplication::processEvents();
    form.Check1->setChecked(true);
    form.Check2->setChecked(true);
    form.Check3->setChecked(true);
    form.Option1[1]->setChecked(true);
    QCoreApplication::processEvents();

    // One step: the handler and the repaint it causes; lessons of 20 steps
    // forward and 20 back.
    QElapsedTimer clock;
    std::vector<double> handlers;
    const auto timeSteps = [&](int lessons) {
        std::vector<double> steps;
        for (int lesson = 0; lesson < lessons; ++lesson)
            for (int i = 0; i < 40; ++i) {
                clock.start();
                if (i < 20)
                    susumu_Click(form);
                else
                    modoru_Click(form);
                handlers.push_back(clock.nsecsElapsed() / 1e6);
                QCoreApplication::processEvents();
                steps.push_back(clock.nsecsElapsed() / 1e6);
            }
        return steps;
    };
    if (argc > 1 && std::strcmp(argv[1], "zoom2steps") == 0) {
        presenter.setZoom(2);
        QCoreApplication::processEvents();
        std::printf("step_zoom2_ms=%.4f\n", percentile(timeSteps(10), 0.5));
        return 0;
    }
    if (argc > 1 && std::strcmp(argv[1], "zoom3") == 0) {
        // The memory of the whole lesson three times its size, both panels
        // and the grid drawn at that scale.
        presenter.setZoom(3);
        QCoreApplication::processEvents();
        std::printf("step_zoom3_ms=%.4f\n", percentile(timeSteps(5), 0.5));
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        std::printf("peak_rss_kb=%ld\n", usage.ru_maxrss);
        return 0;
    }
    const std::vector<double> steps = timeSteps(25);
    std::printf("handler_median_ms=%.4f\n", percentile(handlers, 0.5));
    std::printf("step_median_ms=%.4f\n", percentile(steps, 0.5));
    std::printf("step_p99_ms=%.4f\n", percentile(steps, 0.99));
    std::printf("step_max_ms=%.4f\n", percentile(steps, 1.0));
    if (argc > 1 && std::strcmp(argv[1], "steps") == 0)
        return 0; // for a profiler: the steps alone

    // Pacing at "01": how much later than asked each real pause ends.
    form.Combo1->setEditText(QStringLiteral("01"));
    double worstOvershoot = 0;
    double sumOvershoot = 0;
    int pauses = 0;
    form.pause = [&](qint32 ms) {
        QElapsedTimer pause;
        pause.start();
        Pause(form, ms);
        const double over = pause.nsecsElapsed() / 1e6 - ms;
        worstOvershoot = std::max(worstOvershoot, over);
        sumOvershoot += over;
        ++pauses;
    };
    QPushButton* jidou = form.jidou;
    for (int run = 0; run < 3; ++run)
        jidou->click();
    std::printf("pause_over_max_ms=%.3f\n", worstOvershoot);
    std::printf("pause_over_mean_ms=%.3f\n", sumOvershoot / std::max(1, pauses));

    // CPU during a run at "20": 20 steps with 400 ms pauses.
    form.pause = [&](qint32 ms) { Pause(form, ms); };
    form.Combo1->setEditText(QStringLiteral("20"));
    const double cpuBefore = cpuSeconds();
    clock.start();
    jidou->click();
    const double wall = clock.nsecsElapsed() / 1e9;
    const double cpu = cpuSeconds() - cpuBefore;
    std::printf("run_wall_s=%.3f\n", wall);
    std::printf("run_cpu_s=%.4f\n", cpu);
    std::printf("run_cpu_pct=%.3f\n", 100 * cpu / wall);

    // The same step at zoom 2, with its repaint of the changed regions.
    presenter.setZoom(2);
    QCoreApplication::processEvents();
    std::printf("step_zoom2_ms=%.4f\n", percentile(timeSteps(10), 0.5));

    // Full screen from zoom 2, until the whole window is painted anew.
    clock.start();
    presenter.toggleFullScreen();
    QCoreApplication::processEvents();
    form.repaint();
    std::printf("zoom_ms=%.3f\n", clock.nsecsElapsed() / 1e6);
    return 0;
}
