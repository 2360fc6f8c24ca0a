#include "step.h"

#include "app/numbers.h"
#include "app/qbcolor.h"
#include "app/window/form1.h"
#include "board.h"
#include "graph/graph.h"
#include "table/table.h"

#include <QCheckBox>
#include <QLineEdit>
#include <algorithm>

namespace kansu {

namespace {

constexpr int kSeedInset = 5;

void fill(Canvas& board, QRgb colour, double x, double y) {
    board.setFillColour(colour);
    board.floodFill(QPoint(roundToInt(x), roundToInt(y)), board.drawingColour());
}

// What both steps redraw: the whole board for the new StepCount.
void redrawBoard(Form1& form) {
    const qint16 s = form.StepCount;
    DrawBoard(form);
    form.Text1->setText(chiText(s));

    Canvas& board = form.kokuban->canvas();
    board.setFillStyle(FillStyle::Solid);
    const double nearCornerX = form.FrameX + kSeedInset;
    const double nearCornerY = form.FrameY + kSeedInset;
    const double farCornerX = form.FrameX + form.FrameSide - kSeedInset;
    const double farCornerY = form.FrameY + form.FrameSide - kSeedInset;
    if (s == 0) {
        fill(board, QBColor(14), farCornerX, farCornerY);
    } else if (s < kLastStep) {
        fill(board, QBColor(11), nearCornerX, nearCornerY);
        fill(board, QBColor(14), farCornerX, farCornerY);
    } else {
        fill(board, QBColor(11), form.SquareX + kSeedInset, form.SquareY + kSeedInset);
    }
    board.setFillStyle(FillStyle::None);

    placeSideMarks(form);

    if (form.Check1->checkState() != Qt::Unchecked)
        DrawGrid(form);
}

} // namespace

QString chiText(qint16 stepCount) {
    QString text = signedNumberText(stepCount / kPixelsPerCm);
    if (!text.contains(QLatin1Char('.')))
        text += QStringLiteral(".0");
    return text;
}

void susumu_Click(Form1& form) {
    form.StepCount = static_cast<qint16>(std::min(form.StepCount + kStep, int{kLastStep}));
    redrawBoard(form);
    if (form.Check3->checkState() != Qt::Unchecked)
        DrawTable(form, 0);
    PlotGraph(form, 0);
}

void modoru_Click(Form1& form) {
    // At chi = 0 the step stays where it is: removing the column and mark of
    // chi = 0 would lose the table column for good, since nothing prints it
    // again.
    if (form.StepCount > 0) {
        if (form.Check3->checkState() != Qt::Unchecked)
            DrawTable(form, 1);
        if (form.Check2->checkState() != Qt::Unchecked)
            PlotGraph(form, 1);
    }
    form.StepCount = static_cast<qint16>(std::max(form.StepCount - kStep, 0));
    redrawBoard(form);
    PlotGraph(form, 0);
}

} // namespace kansu
