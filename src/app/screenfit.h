#pragma once

#include <QSize>

namespace kansu {

// The scale factor at which a window of `needed` logical pixels fits an
// area of `available` logical pixels measured at scale `current`: the
// current one when it fits already, a smaller one otherwise.
double fittingScale(QSize needed, QSize available, double current);

// Teachers project the lesson at 125-200 %: when the window with both
// panels would not fit the screen's available area at that scale, the
// program starts itself again (once) with QT_SCALE_FACTOR lowered so that it
// fits, the whole window scaled down uniformly. Returns when it fits.
void restartScaledToFitScreen(char** argv);

} // namespace kansu
