#pragma once

#include <QRect>

namespace kansu {

class Form1;

// A designed rectangle at a zoom: neighbours stay neighbours.
QRect scaledRect(const QRect& designed, double zoom);

// Shows every control of the window at its designed rectangle times the
// zoom, in its font at the zoom; the board's labels where the lesson has put
// them; the surfaces and the window's own area at the zoom.
void placeControls(Form1& form, double zoom);

} // namespace kansu
