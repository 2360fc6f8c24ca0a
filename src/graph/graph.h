#pragma once

#include <QPointF>
#include <QString>
#include <QtGlobal>
#include <optional>

namespace kansu {

class Form1;

// Graph mapping in pixels of the graph panel: the origin (chi = 0, y = 0),
// 24 pixels to one centimetre of chi and to one unit of the y scale.
constexpr QPointF kGraphOrigin{35, 500};
constexpr double kGraphUnit = 24;

// Clears the graph panel unless NoClear is nonzero, then draws its grid,
// axes, scale numbers and unit labels for the chosen quantity.
void DrawGraphAxes(Form1& form, qint16 NoClear);

// Marks (EraseMark = 0) or erases (otherwise) the point of the chi shown in
// Text1 for the chosen quantity, then draws the axes again over it.
void PlotGraph(Form1& form, qint16 EraseMark);

// The centre of the mark of a whole chi for the chosen quantity, or nothing
// when no quantity is chosen.
std::optional<QPointF> graphMarkCentre(const Form1& form, double chi);

// The graph in words: the points its marks stand for, read on the scale
// the axes show.
QString describeGraph(const Form1& form);

// Shows or hides the graph panel with the "グラフ" box.
void Check2_Click(Form1& form);

} // namespace kansu
