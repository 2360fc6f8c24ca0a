#include "screenfit.h"

#include "form1.h"
#include "numbers.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#ifndef Q_OS_WASM
#include <unistd.h>
#endif

namespace kansu {

#ifndef Q_OS_WASM
namespace {

constexpr char kRestartedMark[] = "KANSU_SCALED_TO_FIT";

} // namespace
#endif

double fittingScale(QSize needed, QSize available, double current) {
    if (needed.width() <= available.width() && needed.height() <= available.height())
        return current;
    const double shrink = std::min(double(available.width()) / needed.width(),
                                   double(available.height()) / needed.height());
    return current * shrink;
}

void restartScaledToFitScreen(char** argv) {
#ifdef Q_OS_WASM
    // In a browser the page is the screen, and the browser's own zoom scales it.
    (void)argv;
#else
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen || qEnvironmentVariableIsSet(kRestartedMark))
        return;
    // The window at its largest, both panels shown, with its nominal frame.
    const QSize needed(roundToInt(double(kWideWidth) / kTwipsPerPixel),
                       roundToInt(double(kTallHeight) / kTwipsPerPixel));
    bool set = false;
    const double current = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&set);
    const double scale = fittingScale(needed, screen->availableGeometry().size(),
                                      set && current > 0 ? current : 1.0);
    if (scale == (set && current > 0 ? current : 1.0) || !(scale > 0.25))
        return; // fits, or a screen too small to be worth shrinking for
    qputenv("QT_SCALE_FACTOR", QByteArray::number(scale, 'f', 4));
    qputenv(kRestartedMark, "1");
    execv("/proc/self/exe", argv);
    // If the program cannot start itself again, it goes on unscaled.
#endif
}

} // namespace kansu
