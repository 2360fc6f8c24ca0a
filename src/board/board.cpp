#include "board.h"

#include "app/form1.h"
#include "app/qbcolor.h"

namespace kansu {

namespace {

// The grid covers the frame at its reset place, 1 cm = 30 board pixels.
constexpr QPointF kGridOrigin{100, 50};
constexpr double kGridSpacing = 30;
constexpr int kGridCells = 10;
constexpr int kChalkWidth = 3;
constexpr int kGridKey = 1;

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
        board.setPenWidth(kChalkWidth);
    });
}

} // namespace kansu
