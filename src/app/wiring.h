#pragma once

namespace kansu {

class Form1;
class Presenter;

// Connects every control event of the window to its one handler, puts the
// window under a presenter (zoom, full screen, the presenter's keys), then
// delivers the window's load event. The presenter lives as long as the
// window.
Presenter& wireForm1(Form1& form);

} // namespace kansu
