#pragma once

#include <QString>

namespace kansu {

class Form1;

// Clears the board and draws, in chalk, the outlines of the 10 cm frame and
// of the blue square of the current side; leaves the fill style at none.
void DrawBoard(Form1& form);

// Moves the board's labels and lines that follow the blue square's side to
// the current StepCount: the χ line and its label, and for the chosen
// quantity the red line with its label or the area label.
void placeSideMarks(Form1& form);

// Lays the 1 cm grid over whatever the board shows.
void DrawGrid(Form1& form);

// The board in words: chi and the chosen quantity's y,
// "χ = 3.0 cm、青い正方形の面積 ｙ = 9 cm²".
QString describeBoard(const Form1& form);

} // namespace kansu
