#include "board.h"

#include "app/numbers.h"
#include "app/qbcolor.h"
#include "app/window/form1.h"

namespace kansu {

namespace {

// The grid covers the frame at its reset place, 1 cm to a cell.
constexpr QPointF kGridOrigin{kFrameLeft, kFrameTop};
constexpr double kGridSpacing = kPixelsPerCm;
constexpr int kGridCells = 10;
constexpr int kGridKey = 1;
constexpr double kLabelInset = 10;

void outlineSquare(Canvas& board, QPointF corner, double side) {
    board.lineRelative(corner, QPointF(side, 0));
    board.lineFromPen(QPointF(0, side));
    board.lineFromPen(QPointF(-side, 0));
    board.lineFromPen(QPointF(0, -side));
}

} // namespace

void DrawBoard(Form1& form) {
    Canvas& board = form.kokuban->canvas();
    board.clear();
    outlineSquare(board, QPointF(form.FrameX, form.FrameY), form.FrameSide);
    outlineSquare(board, QPointF(form.SquareX, form.SquareY), form.StepCount);
    board.setFillStyle(FillStyle::None);
}

void placeSideMarks(Form1& form) {
    const double s = form.StepCount;
    form.Line5[0]->setX2(form.SquareX + s);
    form.Label4[1]->setLeft(form.FrameX + s / 2 - kLabelInset);
    if (form.selected(0)) {
        form.Line5[1]->setX2(form.SquareX + s);
        form.Label4[3]->setLeft(form.FrameX + (form.FrameSide + s) / 2 - kLabelInset);
    }
    const auto placeAreaLabel = [&](double middle) {
        form.placeAreaLabel(form.SquareX + middle - kLabelInset,
                            form.SquareY + middle - kLabelInset);
    };
    if (form.selected(1))
        placeAreaLabel(s / 2);
    if (form.selected(2))
        placeAreaLabel((s + form.FrameSide) / 2);
}

QString describeBoard(const Form1& form) {
    const double chi = form.StepCount / kPixelsPerCm;
    QString text = QStringLiteral("χ = %1 cm").arg(chi, 0, 'f', 1);
    const auto number = [](double v) { return signedNumberText(v).trimmed(); };
    if (form.selected(0))
        text += QStringLiteral("、赤い線の長さ ｙ = %1 cm").arg(number(10 - chi));
    else if (form.selected(1))
        text += QStringLiteral("、青い正方形の面積 ｙ = %1 cm²").arg(number(chi * chi));
    else if (form.selected(2))
        text += QStringLiteral("、黄色い図形の面積 ｙ = %1 cm²").arg(number(100 - chi * chi));
    return text;
}

void DrawGrid(Form1& form) {
    // Drawn after every step while "方眼" is ticked: the board remembers it.
    form.kokuban->canvas().drawRemembered(kGridKey, [](Canvas& board) {
        const double side = kGridSpacing * kGridCells;
        board.setPenWidth(1);
        for (int i = 0; i <= kGridCells; ++i)
            board.lineRelative(kGridOrigin + QPointF(0, kGridSpacing * i), QPointF(side, 0),
                               QBColor(0));
        for (int i = 0; i <= kGridCells; ++i)
            board.lineRelative(kGridOrigin + QPointF(kGridSpacing * i, 0), QPointF(0, side),
                               QBColor(0));
        board.setPenWidth(design::kBoardPenWidth);
    });
}

} // namespace kansu
