#pragma once

#include <QFont>

class QLabel;
class QRect;

namespace kansu {

// The face and pixel size of a text of the window description (points at
// 96 dots per inch), at a zoom.
QFont lessonFont(double points, bool bold = false, double zoom = 1);

// The substitute face sets Latin letters a little wider than the designed
// one: a label whose text would not fit its designed box is set narrower,
// so that the board's labels keep their places and widths.
void fitToDesign(QLabel& label, const QRect& box);

} // namespace kansu
