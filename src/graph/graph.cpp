#include "graph.h"

#include "app/numbers.h"
#include "app/qbcolor.h"
#include "app/window/form1.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <algorithm>
#include <cmath>

namespace kansu {

namespace {

constexpr int kColumns = 10;       // chi = 0 ... 10 cm
constexpr int kRows = 20;          // 20 units of the y scale
constexpr double kGridRight = 290; // horizontal lines run on past the last column
constexpr double kGridTop = 10;    // vertical lines run on above the top row
constexpr double kMarkRadius = 2;
constexpr int kMarkPenWidth = 2;
constexpr double kAreaPixelsPerSquareCm = kGraphUnit / 5; // 5 cm² to a unit

// The y scale: centimetres for the red line, 5 cm² steps otherwise, with
// the raised "2" of cm² only while an area is chosen.
enum class Scale { Length, Area, SquareCentimetres };

// The grid, the axes, the scale numbers and the unit labels.
void drawAxes(Canvas& graph, Scale scale) {
    const QRgb gridColour = QBColor(2);
    const double x0 = kGraphOrigin.x();
    const double y0 = kGraphOrigin.y();

    graph.setPenWidth(1);
    for (int i = 0; i <= kRows; ++i)
        graph.line(QPointF(x0, y0 - kGraphUnit * i), QPointF(kGridRight, y0 - kGraphUnit * i),
                   gridColour);
    for (int i = 0; i <= kColumns; ++i)
        graph.line(QPointF(x0 + kGraphUnit * i, y0), QPointF(x0 + kGraphUnit * i, kGridTop),
                   gridColour);
    // The axes lie one pixel outside the grid's edges, so they show doubled.
    graph.line(QPointF(x0 - 1, y0 + 1), QPointF(kGridRight, y0 + 1), gridColour);
    graph.line(QPointF(x0 - 1, y0), QPointF(x0 - 1, kGridTop), gridColour);

    graph.setDrawingColour(QBColor(0));
    for (int i = 1; i <= kColumns; ++i) {
        graph.setPenPosition(QPointF(29 + kGraphUnit * i - (i > 9 ? 3 : 0), 505));
        graph.printNumber(i);
    }
    graph.setPenPosition(QPointF(285, 505));
    graph.print(QStringLiteral("(cm)"));
    graph.setPenPosition(QPointF(25, 505));
    graph.print(QStringLiteral("0"));

    for (int i = 1; i <= kRows; ++i) {
        const double penY = 495 - kGraphUnit * i;
        if (scale == Scale::Length) {
            graph.setPenPosition(QPointF(i <= 9 ? 20 : 15, penY));
            graph.printNumber(i);
        } else {
            graph.setPenPosition(QPointF(i == 1 ? 20 : i == kRows ? 10 : 15, penY));
            graph.printNumber(5 * i);
        }
    }
    graph.setPenPosition(QPointF(2, 2));
    graph.print(QStringLiteral("(cm  )"));
    if (scale == Scale::SquareCentimetres) {
        graph.setPenPosition(QPointF(22, 0));
        graph.print(QStringLiteral("2"));
    }
}

} // namespace

void DrawGraphAxes(Form1& form, qint16 NoClear) {
    Canvas& graph = form.gamen->canvas();
    graph.setPenWidth(1);
    if (NoClear == 0)
        graph.clear();
    const Scale scale = form.selected(0)                       ? Scale::Length
                        : form.selected(1) || form.selected(2) ? Scale::SquareCentimetres
                                                               : Scale::Area;
    // The axes are drawn after every mark: the panel remembers them.
    graph.drawRemembered(static_cast<int>(scale), [scale](Canvas& c) { drawAxes(c, scale); });
}

std::optional<QPointF> graphMarkCentre(const Form1& form, double chi) {
    const double x = kGraphOrigin.x() + kGraphUnit * chi;
    const double y0 = kGraphOrigin.y();
    if (form.selected(0))
        return QPointF(x, y0 - kGraphUnit * (10 - chi));
    if (form.selected(1))
        return QPointF(x, y0 - kAreaPixelsPerSquareCm * (chi * chi));
    if (form.selected(2))
        return QPointF(x, y0 - kAreaPixelsPerSquareCm * (100 - chi * chi));
    return std::nullopt;
}

void PlotGraph(Form1& form, qint16 EraseMark) {
    Canvas& graph = form.gamen->canvas();
    graph.setDrawingColour(EraseMark != 0 ? graph.backgroundColour() : QBColor(0));
    graph.setPenWidth(kMarkPenWidth);
    const double chi = numericValue(form.Text1->text());
    // Marks exist only for whole chi; a text beyond the range of a double
    // (say "1e400") has no place on the graph either.
    if (!std::isfinite(chi) || chi != std::floor(chi))
        return;
    const std::optional<QPointF> centre = graphMarkCentre(form, chi);
    if (centre && form.Check2->isChecked())
        graph.circle(*centre, kMarkRadius);
    DrawGraphAxes(form, 1);
}

QString describeGraph(const Form1& form) {
    auto marks = form.gamen->canvas().circlesInView();
    std::sort(marks.begin(), marks.end(),
              [](const QPointF& a, const QPointF& b) { return a.x() < b.x(); });
    const double unit = form.selected(0) ? kGraphUnit : kAreaPixelsPerSquareCm;
    const auto number = [](double v) {
        return signedNumberText(std::round(v * 100) / 100).trimmed();
    };
    QStringList points;
    for (const QPointF& mark : marks)
        points << QStringLiteral("(%1, %2)")
                      .arg(number((mark.x() - kGraphOrigin.x()) / kGraphUnit),
                           number((kGraphOrigin.y() - mark.y()) / unit));
    if (points.isEmpty())
        return QStringLiteral("グラフ：まだ点はない");
    return QStringLiteral("グラフの点 (χ, ｙ)：%1").arg(points.join(QStringLiteral(", ")));
}

void Check2_Click(Form1& form) {
    if (form.Check2->checkState() != Qt::Unchecked) {
        form.setQuantityCaptions(CaptionForm::Long);
        form.gamen->canvas().clear();
        DrawGraphAxes(form, 0);
        PlotGraph(form, 0);
        form.setOuterWidth(kWideWidth);
    } else {
        form.setOuterWidth(kNarrowWidth);
        form.setQuantityCaptions(CaptionForm::Short);
    }
}

} // namespace kansu
