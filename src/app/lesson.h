#pragma once

namespace kansu {

class Form1;

// Run once when the window is created: start-up size, check boxes clear,
// then the initial screen.
void Form_Load(Form1& form);

// Brings the lesson back to chi = 0: state, Text1, the board with its yellow
// figure, the board's labels and lines for the chosen quantity, the stop
// button, the graph mark of chi = 0 and the grid when it is on.
void ResetLesson(Form1& form);

// The reset with both panels cleared and drawn again for chi = 0: the start
// of an automatic run and of a newly chosen quantity.
void StartAfresh(Form1& form);

// "初期画面": no quantity chosen, then the reset.
void Command1_Click(Form1& form);

// "終了": ends the program at once.
void end_Click(Form1& form);

} // namespace kansu
