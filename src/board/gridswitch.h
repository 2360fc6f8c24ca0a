#pragma once

namespace kansu {

class Form1;

// "方眼": ticking lays the grid over the board; clearing repaints the board
// at the same chi without it.
void Check1_Click(Form1& form);

} // namespace kansu
