#pragma once

namespace kansu {

class Form1;

// Connects every control event of the window to its one handler, then
// delivers the window's load event.
void wireForm1(Form1& form);

} // namespace kansu
