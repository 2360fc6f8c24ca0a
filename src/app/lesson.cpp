#include "lesson.h"

#include "app/window/form1.h"
#include "board/board.h"
#include "graph/graph.h"
#include "numbers.h"
#include "qbcolor.h"
#include "table/table.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace kansu {

namespace {

// Elements that do not belong to the chosen quantity are parked below the
// board, whose outer height is 401 pixels.
constexpr double kParkedY = 410;

// The board's labels and lines where a reset puts them: those of the
// chosen quantity at the frame, the others parked below the board.
void placeResetMarks(Form1& form) {
    form.Label4[0]->setLeft(form.FrameX - 22);
    form.Label4[0]->setTop(form.FrameY - 15);
    form.Label4[1]->setTop(form.FrameY - 35);
    form.Label4[2]->setLeft(form.FrameX - 62);
    form.Label4[2]->setTop(form.FrameY + form.FrameSide / 2.0 - 10);
    if (form.selected(0)) {
        form.Label4[3]->setTop(form.FrameY - 35);
        form.Line5[1]->setX1(form.FrameX + form.FrameSide);
        form.Line5[1]->setY1(form.SquareY);
        form.Line5[1]->setY2(form.SquareY);
    } else {
        form.Label4[3]->setTop(kParkedY);
        form.Line5[1]->setY1(kParkedY);
        form.Line5[1]->setY2(kParkedY);
    }
    if (!form.selected(1) && !form.selected(2)) {
        form.Label4[4]->setTop(kParkedY);
        form.Label4[5]->setTop(kParkedY);
    }
    form.Line5[0]->setX1(form.SquareX);
    form.Line5[0]->setY1(form.FrameY);
    form.Line5[0]->setY2(form.FrameY);
    placeSideMarks(form);
}

} // namespace

void Form_Load(Form1& form) {
    form.setOuterWidth(kNarrowWidth);
    form.setOuterHeight(kShortHeight);
    form.Check1->setChecked(false);
    form.Check2->setChecked(false);
    form.Check3->setChecked(false);
    // The window, gamen and kokuban already work in pixels.
    ResetLesson(form);
}

void ResetLesson(Form1& form) {
    form.Text1->setText(QStringLiteral("0.0"));
    form.FrameX = kFrameLeft;
    form.FrameY = kFrameTop;
    form.FrameSide = kFrameSide;
    form.SquareX = kFrameLeft;
    form.SquareY = kFrameTop;
    form.StepCount = 0;
    DrawBoard(form);

    Canvas& board = form.kokuban->canvas();
    board.setFillStyle(FillStyle::Solid);
    board.setFillColour(QBColor(14));
    board.floodFill(QPoint(roundToInt(form.FrameX + 5), roundToInt(form.FrameY + 5)),
                    board.drawingColour());

    placeResetMarks(form);
    form.tomeru->setEnabled(false);
    PlotGraph(form, 0);
    if (form.Check1->checkState() != Qt::Unchecked)
        DrawGrid(form);
}

void StartAfresh(Form1& form) {
    ResetLesson(form);
    form.hyo->canvas().clear();
    DrawTable(form, 0);
    DrawGraphAxes(form, 0);
    // The graph's axes were drawn after the reset marked chi = 0: mark it
    // again, so that a whole run leaves all eleven points, as the table has.
    PlotGraph(form, 0);
}

void Command1_Click(Form1& form) {
    // An exclusive group keeps its checked button; lift the exclusivity to
    // clear all three.
    for (QRadioButton* option : form.Option1) {
        option->setAutoExclusive(false);
        option->setChecked(false);
        option->setAutoExclusive(true);
    }
    ResetLesson(form);
}

void end_Click(Form1& form) {
    form.endProgram();
}

} // namespace kansu
